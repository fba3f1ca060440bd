#include "calc/rechnen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "numtext/number_text.h"
#include "support/case_name.h"
#include "support/formats.h"

namespace {

using calc::Rechnen;
using calc::WarpSpeed;
using namespace testformats;

// The eight fields in memory; refuses names the window does not have.
class MemoryFields : public calc::FieldStore {
  public:
    MemoryFields() {
        for (const char* name : {"txtWarp", "txtEntfernung", "txtSpeed", "txtJahre", "txtTage",
                                 "txtStunden", "txtMinuten", "txtSekunden"}) {
            texts_[name] = "";
        }
    }
    [[nodiscard]] std::string text(std::string_view name) const override {
        return texts_.at(std::string(name));
    }
    void setText(std::string_view name, const std::string& text) override {
        texts_.at(std::string(name)) = text;
        writes.emplace_back(name);
    }
    std::map<std::string, std::string> texts_;
    std::vector<std::string> writes;
};

class RecordedMessages : public calc::MessageSink {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class RechnenTest : public testing::Test {
  protected:
    void run(const std::string& warp, const std::string& distance,
             const NumberFormat& format = kGerman) {
        fields.texts_["txtWarp"] = warp;
        fields.texts_["txtEntfernung"] = distance;
        Rechnen(fields, messages, format);
    }
    std::string operator[](const char* name) const { return fields.text(name); }

    MemoryFields fields;
    RecordedMessages messages;
};

// ---------------------------------------------------------------------------------------------
// Refused warp factors

TEST_F(RechnenTest, RefusedWarpFactorsShowTheMessageAndChangeNoField) {
    for (const char* warp :
         {"", "  ", "abc", "0", "0,0699999", "-5", "10", "9,99999999991",
          "4.2" /* German: a misplaced group separator, not 42 */, "1e400", "inf"}) {
        for (auto& [name, text] : fields.texts_) {
            text = "alt " + name;
        }
        fields.texts_["txtWarp"] = warp;
        const auto before = fields.texts_;
        messages.shown.clear();
        fields.writes.clear();

        Rechnen(fields, messages, kGerman);

        ASSERT_EQ(messages.shown.size(), 1u) << warp;
        EXPECT_EQ(messages.shown[0],
                  "Ungültiger Warpfaktor - Bitte gebe eine Zahl zwischen 0,07 und 9,9999999999 "
                  "ein.");
        EXPECT_EQ(fields.texts_, before) << warp;
        EXPECT_TRUE(fields.writes.empty()) << warp;
    }
}

TEST_F(RechnenTest, TheMessageKeepsDecimalCommasInEveryRegion) {
    run("12", "1", kUsEnglish);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("0,07 und 9,9999999999"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Accepted warp factors and the speed

struct SpeedCase {
    const char* name;
    const char* warp;
    const char* speed;  // German format

    friend void PrintTo(const SpeedCase& row, std::ostream* out) { *out << row.name; }
};

class SpeedTest : public RechnenTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedTest, WritesTheSpeedWithFourDecimals) {
    run(GetParam().warp, "");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ((*this)["txtSpeed"], GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Laws, SpeedTest,
    testing::Values(SpeedCase{"Lowest", "0,07", "0,0001"},  // 0.07^(10/3) = 0.000142...
                    SpeedCase{"One", "1", "1,0000"}, SpeedCase{"Two", "2", "10,0794"},
                    SpeedCase{"Five", "5", "213,7470"}, SpeedCase{"Eight", "8", "1.024,0000"},
                    SpeedCase{"JustBelowNine", "8,9999999", "1.516,3811"},
                    SpeedCase{"NineUsesSecondLaw", "9", "1.516,4821"},
                    SpeedCase{"NinePointNine", "9,9", "2.544,4569"},
                    SpeedCase{"Highest", "9,9999999999", "4.709.315.370,6580"},
                    SpeedCase{"Exponent", "5e-1", "0,0992"}),
    CaseName());

TEST(WarpSpeedTest, LawsAtTheirKnownPoints) {
    EXPECT_EQ(WarpSpeed(1), 1.0);
    EXPECT_DOUBLE_EQ(WarpSpeed(8), 1024.0);
    EXPECT_GT(WarpSpeed(0.07), 0.0001);
    // The laws do not meet at 9: the second starts a little above where the first ends.
    const double firstLawEnd = WarpSpeed(std::nextafter(9.0, 0.0));
    const double relativeStep = WarpSpeed(9) / firstLawEnd - 1;
    EXPECT_GT(relativeStep, 0);
    EXPECT_LT(relativeStep, 1e-4);
    EXPECT_NEAR(WarpSpeed(9) - firstLawEnd, 0.1, 0.05);
}

// ---------------------------------------------------------------------------------------------
// Travel times

TEST_F(RechnenTest, WarpOneOverOneLightYearGivesTheTravelTimeTable) {
    run("1", "1");
    EXPECT_EQ((*this)["txtSpeed"], "1,0000");
    EXPECT_EQ((*this)["txtJahre"], "1,0000");
    EXPECT_EQ((*this)["txtTage"], "365,2600");
    EXPECT_EQ((*this)["txtStunden"], "8.766,2400");
    EXPECT_EQ((*this)["txtMinuten"], "525.974,4000");
    EXPECT_EQ((*this)["txtSekunden"], "31.558.464,0000");
    EXPECT_EQ(fields.writes, (std::vector<std::string>{"txtSpeed", "txtJahre", "txtTage",
                                                       "txtStunden", "txtMinuten", "txtSekunden"}));
}

TEST_F(RechnenTest, FillsTheFieldsInEveryRegionsFormat) {
    run("1", "1", kIndianEnglish);
    EXPECT_EQ((*this)["txtSekunden"], "3,15,58,464.0000");
    run("5", "-4.2", kSwissGerman);
    EXPECT_EQ((*this)["txtSpeed"], "213.7470");
    EXPECT_EQ((*this)["txtJahre"], "-0.0196");
    run("1", "1", kMadeUp);
    EXPECT_EQ((*this)["txtMinuten"], "5259~~74?4000");
}

TEST_F(RechnenTest, TravelTimesUseTheSpeedAsShown) {
    // Speed 213.7470 as shown, not the exact 213.74699...: 1000 / 213.747 = 4.67842...
    run("5", "1.000");
    EXPECT_EQ((*this)["txtJahre"], "4,6784");
    EXPECT_EQ((*this)["txtSekunden"],
              numtext::rtcFormatNumber(1000 / 213.747 * 31558464.0, 4, kGerman));

    // Two factors whose speeds show alike give identical travel times.
    run("5", "123.456,789");
    const auto first = fields.texts_;
    run("5,0000000001", "123.456,789");
    EXPECT_EQ(fields.texts_["txtSpeed"], first.at("txtSpeed"));
    EXPECT_EQ(fields.texts_, [&] {
        auto expected = first;
        expected["txtWarp"] = "5,0000000001";
        return expected;
    }());
}

TEST_F(RechnenTest, ADistanceThatIsNoNumberEmptiesTheTravelTimes) {
    for (const char* distance : {"", "weit", "4.2"}) {
        run("1", "1");
        run("5", distance);
        EXPECT_EQ((*this)["txtSpeed"], "213,7470") << distance;
        for (const char* field :
             {"txtJahre", "txtTage", "txtStunden", "txtMinuten", "txtSekunden"}) {
            EXPECT_EQ((*this)[field], "") << distance << " " << field;
        }
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(RechnenTest, ZeroAndNegativeDistances) {
    run("1", "0");
    EXPECT_EQ((*this)["txtSekunden"], "0,0000");
    run("1", "-0");
    EXPECT_EQ((*this)["txtJahre"], "0,0000");
    run("1", "-2");
    EXPECT_EQ((*this)["txtJahre"], "-2,0000");
    EXPECT_EQ((*this)["txtSekunden"], "-63.116.928,0000");
}

TEST_F(RechnenTest, TextTypedIntoResultFieldsIsReplaced) {
    fields.texts_["txtSpeed"] = "999";
    fields.texts_["txtTage"] = "Hallo";
    run("1", "1");
    EXPECT_EQ((*this)["txtSpeed"], "1,0000");
    EXPECT_EQ((*this)["txtTage"], "365,2600");
}

TEST_F(RechnenTest, TravelTimesBeyondTheRangeOfADoubleShowOverflow) {
    // Years and days still fit; hours, minutes and seconds overflow.
    run("1", "1e305");
    EXPECT_TRUE((*this)["txtJahre"].starts_with("99.999.999.999.999.993."));
    EXPECT_TRUE((*this)["txtTage"].starts_with("36.525.999.999.999.99"));
    EXPECT_EQ((*this)["txtStunden"], "Überlauf");
    EXPECT_EQ((*this)["txtMinuten"], "Überlauf");
    EXPECT_EQ((*this)["txtSekunden"], "Überlauf");
    // The quotient itself overflows below warp 1.
    run("0,07", "-1e308");
    for (const char* field : {"txtJahre", "txtTage", "txtStunden", "txtMinuten", "txtSekunden"}) {
        EXPECT_EQ((*this)[field], "Überlauf") << field;
    }
    EXPECT_TRUE(messages.shown.empty());
    // The next run is a normal run again.
    run("1", "1");
    EXPECT_EQ((*this)["txtSekunden"], "31.558.464,0000");
}

}  // namespace
