// The window's events on the offscreen platform: what starts a calculation run, what ends the
// program, the message box of a refused warp factor, and the regional format read from the
// platform. CTest runs this program once per region (LC_ALL); the expected texts follow it.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "window/frm_warp.h"
#include "window/platform_format.h"

using window::frmWarp;

namespace {

constexpr std::array<const char*, 8> kTextBoxes{"txtWarp",    "txtSpeed",   "txtEntfernung",
                                                "txtJahre",   "txtTage",    "txtStunden",
                                                "txtMinuten", "txtSekunden"};

// What the window shows for warp 5 over 4.2 light years, in the region the test runs under.
struct RegionalResults {
    QString distance;
    std::map<QString, QString> shown;
};

RegionalResults expectedForRegion(const QString& region) {
    if (region == "de_DE") {
        return {"4,2",
                {{"txtSpeed", "213,7470"},
                 {"txtJahre", "0,0196"},
                 {"txtTage", "7,1771"},
                 {"txtStunden", "172,2513"},
                 {"txtMinuten", "10.335,0806"},
                 {"txtSekunden", "620.104,8380"}}};
    }
    if (region == "en_US") {
        return {"4.2",
                {{"txtSpeed", "213.7470"},
                 {"txtJahre", "0.0196"},
                 {"txtTage", "7.1771"},
                 {"txtStunden", "172.2513"},
                 {"txtMinuten", "10,335.0806"},
                 {"txtSekunden", "620,104.8380"}}};
    }
    if (region == "en_IN") {
        return {"4.2",
                {{"txtSpeed", "213.7470"},
                 {"txtJahre", "0.0196"},
                 {"txtTage", "7.1771"},
                 {"txtStunden", "172.2513"},
                 {"txtMinuten", "10,335.0806"},
                 {"txtSekunden", "6,20,104.8380"}}};
    }
    return {};
}

}  // namespace

class EventsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<frmWarp> form_;
    RegionalResults expected_;

    QLineEdit* box(const char* name) const { return form_->field(name); }

    std::map<QString, QString> allTexts() const {
        std::map<QString, QString> texts;
        for (const char* name : kTextBoxes) {
            texts[name] = box(name)->text();
        }
        return texts;
    }

    void typeInputs(const QString& warp, const QString& distance) {
        box("txtWarp")->setFocus();
        QTest::keyClicks(box("txtWarp"), warp);
        box("txtEntfernung")->setFocus();
        QTest::keyClicks(box("txtEntfernung"), distance);
    }

    void verifyResults() {
        for (const auto& [name, text] : expected_.shown) {
            QCOMPARE(box(qPrintable(name))->text(), text);
        }
    }

    // Runs `action` from the event loop and answers whatever modal box it opens by pressing
    // `answer`; returns the box's caption, text, buttons and icon, or nothing if none opened.
    struct SeenBox {
        int count = 0;
        QString title;
        QString text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool okHasFocus = false;
    };
    SeenBox answerModalBox(const std::function<void()>& action, Qt::Key answer) {
        SeenBox seen;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || !box->focusWidget()) {
                return;  // not shown yet, or the focus not yet in it
            }
            if (seen.count++ == 0) {
                seen.title = box->windowTitle();
                seen.text = box->text();
                seen.buttons = static_cast<int>(box->findChildren<QAbstractButton*>().size());
                seen.icon = box->icon();
                seen.okHasFocus = box->focusWidget() == box->button(QMessageBox::Ok);
            }
            // The key goes where a person's would: to the focused OK button.
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, answer);
        });
        poll.start();
        action();
        // Alt+B clicks with a short animation, so the box may come a moment later; then wait a
        // little more for a second box that must not come.
        for (int waited = 0; seen.count == 0 && waited < 2000; waited += 10) {
            QTest::qWait(10);
        }
        QTest::qWait(200);
        poll.stop();
        return seen;
    }

    // Starts the event loop, does `action` in it, and tells whether the loop ended by itself.
    bool endsEventLoop(const std::function<void()>& action) {
        QTimer::singleShot(0, action);
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        return QCoreApplication::exec() == 0;
    }

  private slots:
    void initTestCase() {
        expected_ = expectedForRegion(QLocale::system().name());
        QVERIFY2(!expected_.shown.empty(),
                 qPrintable("no expectations for region " + QLocale::system().name()));
    }

    void init() {
        form_ = std::make_unique<frmWarp>();
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void enterInATextBoxCalculates_data() {
        QTest::addColumn<QString>("textBox");
        QTest::addColumn<int>("key");
        QTest::newRow("Return in txtEntfernung") << "txtEntfernung" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in txtEntfernung") << "txtEntfernung" << int(Qt::Key_Enter);
        QTest::newRow("Return in txtWarp") << "txtWarp" << int(Qt::Key_Return);
        QTest::newRow("Return in txtSekunden") << "txtSekunden" << int(Qt::Key_Return);
    }
    void enterInATextBoxCalculates() {
        QFETCH(QString, textBox);
        QFETCH(int, key);
        typeInputs("5", expected_.distance);
        QCOMPARE(box("txtSpeed")->text(), QString());  // typing starts nothing
        QLineEdit* target = box(qPrintable(textBox));
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        verifyResults();
    }

    void buttonAndAccessKeyCalculate_data() {
        QTest::addColumn<bool>("accessKey");
        QTest::newRow("mouse click") << false;
        QTest::newRow("Alt+B") << true;
    }
    void buttonAndAccessKeyCalculate() {
        QFETCH(bool, accessKey);
        typeInputs("5", expected_.distance);
        if (accessKey) {
            QTest::keyClick(form_.get(), Qt::Key_B, Qt::AltModifier);
        } else {
            QTest::mouseClick(form_->cmdRechnen(), Qt::LeftButton);
        }
        QTRY_COMPARE(box("txtSpeed")->text(), expected_.shown.at("txtSpeed"));
        verifyResults();
    }

    void refusedWarpFactorShowsTheMessage_data() {
        QTest::addColumn<QString>("warp");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("answer");
        QTest::newRow("empty, click, Enter") << ""
                                             << "click" << int(Qt::Key_Return);
        QTest::newRow("letters, Enter in txtWarp, Space") << "abc"
                                                          << "Enter" << int(Qt::Key_Space);
        QTest::newRow("ten, Alt+B, Escape") << "10"
                                            << "Alt+B" << int(Qt::Key_Escape);
        QTest::newRow("zero, Space on Berechnen, Enter") << "0"
                                                         << "Space" << int(Qt::Key_Return);
    }
    void refusedWarpFactorShowsTheMessage() {
        QFETCH(QString, warp);
        QFETCH(QString, trigger);
        QFETCH(int, answer);
        typeInputs("5", expected_.distance);
        QTest::keyClick(box("txtEntfernung"), Qt::Key_Return);
        box("txtWarp")->setText(warp);
        box("txtTage")->setText("von Hand");
        const auto before = allTexts();

        const SeenBox seen = answerModalBox(
            [&] {
                if (trigger == "Enter") {
                    QTest::keyClick(box("txtWarp"), Qt::Key_Return);
                } else if (trigger == "Alt+B") {
                    QTest::keyClick(form_.get(), Qt::Key_B, Qt::AltModifier);
                } else if (trigger == "Space") {
                    form_->cmdRechnen()->setFocus();
                    QTest::keyClick(form_->cmdRechnen(), Qt::Key_Space);
                } else {
                    QTest::mouseClick(form_->cmdRechnen(), Qt::LeftButton);
                }
            },
            Qt::Key(answer));

        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.title, QString("Warp - Rechner"));
        QCOMPARE(seen.text, QString("Ungültiger Warpfaktor - Bitte gebe eine Zahl zwischen 0,07 "
                                    "und 9,9999999999 ein."));
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(seen.okHasFocus);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(allTexts(), before);
    }

    void escapeAndTypingDoNothing() {
        typeInputs("5", expected_.distance);
        QTest::keyClick(box("txtEntfernung"), Qt::Key_Return);
        const auto before = allTexts();
        QTest::keyClick(box("txtWarp"), Qt::Key_Escape);
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        box("txtSpeed")->setFocus();
        QTest::keyClick(box("txtSpeed"), Qt::Key_Tab);
        QTest::qWait(50);
        QCOMPARE(allTexts(), before);
        QVERIFY(form_->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void theProgramEnds_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("click on Ende") << 0;
        QTest::newRow("Alt+E") << 1;
        QTest::newRow("Space on the focused Ende") << 3;
        QTest::newRow("closing the window") << 2;
    }
    void theProgramEnds() {
        QFETCH(int, how);
        typeInputs("5", expected_.distance);  // results on screen: still no question
        QTest::keyClick(box("txtEntfernung"), Qt::Key_Return);
        QVERIFY(endsEventLoop([&] {
            switch (how) {
                case 0:
                    QTest::mouseClick(form_->cmdEnde(), Qt::LeftButton);
                    break;
                case 1:
                    QTest::keyClick(form_.get(), Qt::Key_E, Qt::AltModifier);
                    break;
                case 3:
                    form_->cmdEnde()->setFocus();
                    QTest::keyClick(form_->cmdEnde(), Qt::Key_Space);
                    break;
                default:
                    form_->close();
                    break;
            }
        }));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void regionalFormatFromThePlatform() {
        struct Row {
            const char* locale;
            numtext::NumberFormat expected;
        };
        const Row rows[] = {
            {"de_DE", {",", ".", 3, 3, "-"}},
            {"en_US", {".", ",", 3, 3, "-"}},
            {"en_IN", {".", ",", 3, 2, "-"}},
            {"es_ES", {",", ".", 3, 3, "-"}},  // Qt leaves out its top separator
            {"de_CH", {".", "\u2019", 3, 3, "-"}},
            {"sv_SE", {",", "\u00A0", 3, 3, "\u2212"}},
            {"ar_EG", {"\u066B", "\u066C", 3, 3, "\u061C-"}},
            {"C", {".", "", 0, 0, "-"}},  // no grouping
        };
        for (const Row& row : rows) {
            const numtext::NumberFormat format = window::numberFormatOf(QLocale(row.locale));
            const auto shown = [](const numtext::NumberFormat& f) {
                return QString("[%1] [%2] %3/%4 [%5]")
                    .arg(QString::fromStdString(f.decimalSeparator),
                         QString::fromStdString(f.groupSeparator))
                    .arg(f.firstGroupSize)
                    .arg(f.higherGroupSize)
                    .arg(QString::fromStdString(f.negativeSign));
            };
            QCOMPARE(shown(format), shown(row.expected));
        }
    }

    void platformFormatFollowsTheEnvironment() {
        QCOMPARE(window::platformNumberFormat(), window::numberFormatOf(QLocale::system()));
        QCOMPARE(QLocale::system().name(), QString(qgetenv("LC_ALL")).section('.', 0, 0));
    }
};

QTEST_MAIN(EventsTest)
#include "tst_events.moc"
