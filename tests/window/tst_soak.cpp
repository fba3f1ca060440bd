// Random input through the real window: thousands of random texts typed or pasted into txtWarp
// and txtEntfernung, each followed by a click on Berechnen. The window must never crash, every
// shown result must read back as a number (or be empty or "Überlauf"), a refused warp factor
// must change nothing, and no message box may stay open.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "calc/rechnen.h"
#include "numtext/number_text.h"
#include "window/frm_warp.h"
#include "window/platform_format.h"

using window::frmWarp;

namespace {

constexpr std::array<const char*, 8> kTextBoxes{"txtWarp",    "txtSpeed",   "txtEntfernung",
                                                "txtJahre",   "txtTage",    "txtStunden",
                                                "txtMinuten", "txtSekunden"};

// Makes the random texts: pieces of numbers in several regions' spellings, letters, white
// space, non-ASCII, now and then a very long text, and often a well-formed number.
class TextMaker {
  public:
    TextMaker(std::uint64_t seed, numtext::NumberFormat format)
        : random_(seed), format_(std::move(format)) {}

    std::string next() {
        const int kind = pick(100);
        if (kind < 35) {
            return wellFormed();
        }
        if (kind < 37) {
            return longText();
        }
        std::string text;
        const int pieces = pick(8);
        for (int i = 0; i < pieces; ++i) {
            text += kPieces[static_cast<std::size_t>(pick(static_cast<int>(kPieces.size())))];
        }
        return text;
    }

  private:
    static constexpr std::array<const char*, 32> kPieces{
        "0", "1",   "5",     "9",      "42",     "1234",   "007",  ",", ".",    ",5",        ".25",
        " ", "  ",  "\t",    "\u00A0", "\u202F", "\u2019", "'",    "-", "+",    "\u2212",    "e",
        "E", "e-3", "E+308", "x",      "inf",    "nan",    "0x1F", "€", "日本", "\U0001F680"};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // A number in the region's own format: sometimes a warp factor in or near the range,
    // sometimes a distance of any size, now and then with an exponent.
    std::string wellFormed() {
        double value = 0;
        switch (pick(3)) {
            case 0:
                value = std::uniform_real_distribution<double>(-1, 11)(random_);
                break;
            case 1:
                value = std::uniform_real_distribution<double>(0.06, 10.01)(random_);
                break;
            default:
                value = std::ldexp(std::uniform_real_distribution<double>(-2, 2)(random_),
                                   pick(1080) - 60);  // up to 2^1020: finite
                break;
        }
        std::string text = numtext::rtcFormatNumber(value, pick(8), format_);
        if (pick(10) == 0) {
            text += "e" + std::to_string(pick(40) - 20);
        }
        return text;
    }

    std::string longText() {
        std::string text(30000, '0');
        for (char& c : text) {
            c = static_cast<char>('0' + pick(10));
        }
        if (pick(2) == 0) {
            text[static_cast<std::size_t>(pick(30000))] = 'x';
        }
        return text;
    }

    std::mt19937_64 random_;
    numtext::NumberFormat format_;
};

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

    // The offscreen platform warns at every message box that it cannot size windows to their
    // hints; thousands of those would hide everything else.
    static inline QtMessageHandler previousHandler_ = nullptr;
    static void quietHandler(QtMsgType type, const QMessageLogContext& context,
                             const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints"))) {
            previousHandler_(type, context, message);
        }
    }

  private slots:
    void initTestCase() { previousHandler_ = qInstallMessageHandler(quietHandler); }

    void randomTextsThroughTheWindow() {
        const numtext::NumberFormat format = window::platformNumberFormat();
        frmWarp form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto box = [&](std::string_view name) { return form.field(name); };
        auto texts = [&] {
            std::map<std::string, QString> all;
            for (const char* name : kTextBoxes) {
                all[name] = box(name)->text();
            }
            return all;
        };

        TextMaker maker(20261211, format);
        std::mt19937 choose(7);
        int messages = 0;
        int refused = 0;
        int accepted = 0;
        int overflows = 0;
        constexpr int kRuns = 10000;
        for (int run = 0; run < kRuns; ++run) {
            for (const char* name : {"txtWarp", "txtEntfernung"}) {
                const QString text = QString::fromStdString(maker.next());
                QLineEdit* target = box(name);
                target->setFocus();
                target->selectAll();
                // Short printable ASCII texts are typed key by key; the rest are pasted.
                const bool typeable = text.size() <= 12 && std::ranges::all_of(text, [](QChar c) {
                                          return c.unicode() >= 0x20 && c.unicode() < 0x7F;
                                      });
                if (typeable && choose() % 2 == 0) {
                    QTest::keyClick(target, Qt::Key_Delete);
                    QTest::keyClicks(target, text);
                } else {
                    QGuiApplication::clipboard()->setText(text);
                    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
                }
                QCOMPARE(target->text(), text);
            }

            const auto before = texts();
            const std::string warp = before.at("txtWarp").toStdString();
            const bool refuse = !numtext::rtcIsNumeric(warp, format) ||
                                numtext::vbaR8Str(warp, format) < 0.07 ||
                                numtext::vbaR8Str(warp, format) > 9.9999999999;
            int shown = 0;
            QTimer::singleShot(0, [&] {
                if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ++shown;
                    QTest::keyClick(open, Qt::Key_Escape);
                }
            });
            QTest::mouseClick(form.cmdRechnen(), Qt::LeftButton);
            QCoreApplication::processEvents();
            messages += shown;
            QCOMPARE(QApplication::activeModalWidget(), nullptr);

            if (refuse) {
                ++refused;
                QCOMPARE(shown, 1);
                QVERIFY(texts() == before);
                continue;
            }
            ++accepted;
            QCOMPARE(shown, 0);
            QVERIFY2(numtext::rtcIsNumeric(box("txtSpeed")->text().toStdString(), format),
                     qPrintable(box("txtSpeed")->text()));
            const bool distance =
                numtext::rtcIsNumeric(before.at("txtEntfernung").toStdString(), format);
            for (const auto& row : calc::kTravelTimes) {
                const QString result = box(row.field)->text();
                if (result == QString::fromUtf8(calc::kOverflowText.data())) {
                    ++overflows;
                    continue;
                }
                QVERIFY2(distance ? numtext::rtcIsNumeric(result.toStdString(), format)
                                  : result.isEmpty(),
                         qPrintable(result));
            }
        }
        qInfo("%d runs: %d refused (%d messages), %d accepted, %d travel times \"Überlauf\"", kRuns,
              refused, messages, accepted, overflows);
        QCOMPARE(messages, refused);
        QVERIFY(refused > kRuns / 10 && accepted > kRuns / 10);
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
