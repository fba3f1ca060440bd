// Feeds arbitrary bytes as field texts and as the separators of a number format, and checks
// what the rest of the program relies on: nothing crashes; a numeric text converts to a finite
// double; a formatted value reads back rounded to four decimals; a calculation run leaves only
// numbers, empty texts or "Überlauf" in the result fields, or changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "calc/rechnen.h"
#include "numtext/float_check.h"
#include "numtext/number_text.h"
#include "support/formats.h"
#include "support/rounding.h"

namespace {

using numtext::NumberFormat;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

NumberFormat makeFormat(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) {
        const auto& all = testformats::kAll;
        return *all[data.ConsumeIntegralInRange<std::size_t>(0, all.size() - 1)].format;
    }
    NumberFormat format;
    format.decimalSeparator = data.ConsumeRandomLengthString(6);
    format.groupSeparator = data.ConsumeRandomLengthString(6);
    format.firstGroupSize = data.ConsumeIntegralInRange(-1, 5);
    format.higherGroupSize = data.ConsumeIntegralInRange(-1, 5);
    format.negativeSign = data.ConsumeRandomLengthString(6);
    return format;
}

void checkText(const std::string& text, const NumberFormat& format) {
    if (numtext::rtcIsNumeric(text, format)) {
        check(std::isfinite(numtext::vbaR8Str(text, format)));
    } else {
        try {
            (void)numtext::vbaR8Str(text, format);
            check(false);
        } catch (const numtext::TypeMismatch&) {
        }
    }
}

void checkRoundTrip(double x, const NumberFormat& format) {
    if (!std::isfinite(x)) {
        return;
    }
    const std::string text = numtext::rtcFormatNumber(x, 4, format);
    if (format.unambiguous() && (!numtext::rtcIsNumeric(text, format) ||
                                 numtext::vbaR8Str(text, format) != roundedToFourDecimals(x))) {
        std::fprintf(stderr,
                     "round trip of %.17g failed: \"%s\" under \"%s\" \"%s\" %d/%d \"%s\"\n", x,
                     text.c_str(), format.decimalSeparator.c_str(), format.groupSeparator.c_str(),
                     format.firstGroupSize, format.higherGroupSize, format.negativeSign.c_str());
        std::abort();
    }
}

class MemoryFields : public calc::FieldStore {
  public:
    [[nodiscard]] std::string text(std::string_view name) const override {
        const auto it = texts.find(std::string(name));
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(std::string_view name, const std::string& text) override {
        texts[std::string(name)] = text;
    }
    std::map<std::string, std::string> texts;
};

class CountedMessages : public calc::MessageSink {
  public:
    void show(const std::string&) override { ++count; }
    int count = 0;
};

void checkRun(const std::string& warp, const std::string& distance, const NumberFormat& format) {
    if (!format.unambiguous()) {
        return;  // the speed must read back for the travel times
    }
    MemoryFields fields;
    fields.texts = {{"txtWarp", warp}, {"txtEntfernung", distance}, {"txtSpeed", "x"}};
    CountedMessages messages;
    calc::Rechnen(fields, messages, format);
    if (messages.count > 0) {
        check(messages.count == 1 && fields.texts.at("txtSpeed") == "x");
        return;
    }
    check(numtext::rtcIsNumeric(fields.texts.at("txtSpeed"), format));
    for (const auto& row : calc::kTravelTimes) {
        const std::string shown = fields.text(row.field);
        check(shown.empty() || shown == calc::kOverflowText ||
              numtext::rtcIsNumeric(shown, format));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const NumberFormat format = makeFormat(data);
    const double value = data.ConsumeFloatingPoint<double>();
    const std::string warp = data.ConsumeRandomLengthString(64);
    const std::string distance = data.ConsumeRemainingBytesAsString();

    checkText(warp, format);
    checkText(distance, format);
    checkRoundTrip(value, format);
    checkRun(warp, distance, format);
    return 0;
}
