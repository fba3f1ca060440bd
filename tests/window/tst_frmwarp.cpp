// The calculator window as the user sees it: places, texts, colours, fonts, focus order, and
// that no text is cut. Run once at a device pixel ratio of 1 and once at 2 (QT_SCALE_FACTOR).

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <memory>

#include "res/resources.h"
#include "window/frm_warp.h"

using window::frmWarp;

namespace {

const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

const QStringList kLabels{"lblTitel", "lblAnleitung", "lblWarp",    "lblEntfernung", "Label2",
                          "lblJahre", "lblTagen",     "lblStunden", "lblMinuten",    "lblSekunden"};
const QStringList kTextBoxes{"txtWarp", "txtEntfernung", "txtSpeed",   "txtJahre",
                             "txtTage", "txtStunden",    "txtMinuten", "txtSekunden"};

// The bounding box of the pixels of `image` that are nearly pure green (label text).
QRect greenInk(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 100 && c.red() < 60 && c.blue() < 60) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

class FrmWarpTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void theWindow();
    void controls_data();
    void controls();
    void controlsDoNotOverlap();
    void labels_data();
    void labels();
    void labelsAreOpaqueWithGreenText();
    void textBoxes_data();
    void textBoxes();
    void buttons();
    void line();
    void starfieldIsUnscaledFromTopLeft();
    void focusOrder();
    void noTextIsCut_data();
    void noTextIsCut();
    void textBoxesShowAFullLine();
    void longResultStaysOnOneLine();

  private:
    template <typename T>
    T* control(const QString& name) const {
        T* found = form_->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }
    QImage grabForm() const { return form_->grab().toImage(); }

    std::unique_ptr<frmWarp> form_;
};

void FrmWarpTest::initTestCase() {
    form_ = std::make_unique<frmWarp>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    QCOMPARE(form_->devicePixelRatio(), scale.toDouble());
}

void FrmWarpTest::theWindow() {
    QCOMPARE(form_->objectName(), "frmWarp");
    QCOMPARE(form_->windowTitle(), "Warp - Rechner");
    QCOMPARE(form_->size(), QSize(498, 319));
    QCOMPARE(form_->minimumSize(), QSize(498, 319));
    QCOMPARE(form_->maximumSize(), QSize(498, 319));
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    const QList<QSize> iconSizes = form_->windowIcon().availableSizes();
    QVERIFY2(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)),
             "the window icon offers 16 and 32 pixels");
}

// Pixels here are worked out by hand from the twips (÷ 15, rounded), not by the program.
void FrmWarpTest::controls_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");

    const auto row = [](const char* name, const char* cls, const QString& text, QRect rect) {
        QTest::newRow(name) << QString(cls) << text << rect;
    };
    row("lblTitel", "QLabel", "Warp Berechnung", {128, 8, 217, 33});
    row("lblAnleitung", "QLabel",
        "Bitte den Warpfaktor und die Entfernung in Lichtjahren eingeben.", {16, 40, 457, 25});
    row("lblWarp", "QLabel", "Warp-Faktor:", {224, 69, 105, 17});
    row("txtWarp", "QLineEdit", "", {353, 69, 133, 20});
    row("lblEntfernung", "QLabel", "Entfernung in Lichtjahren:", {144, 96, 185, 17});
    row("txtEntfernung", "QLineEdit", "", {353, 96, 133, 20});
    row("cmdRechnen", "QPushButton", "&Berechnen", {8, 136, 97, 25});
    row("Label2", "QLabel", "x-fache Lichtgeschwindigkeit:", {112, 139, 217, 20});
    row("txtSpeed", "QLineEdit", "", {353, 139, 133, 20});
    row("cmdEnde", "QPushButton", "&Ende", {8, 168, 97, 25});
    row("lblJahre", "QLabel", "Reisezeit in :    Jahren:", {160, 166, 169, 20});
    row("txtJahre", "QLineEdit", "", {353, 166, 133, 20});
    row("lblTagen", "QLabel", "Tagen:", {264, 193, 65, 20});
    row("txtTage", "QLineEdit", "", {353, 193, 133, 20});
    row("lblStunden", "QLabel", "Stunden:", {256, 219, 73, 20});
    row("txtStunden", "QLineEdit", "", {353, 219, 133, 20});
    row("lblMinuten", "QLabel", "Minuten:", {264, 246, 65, 20});
    row("txtMinuten", "QLineEdit", "", {353, 246, 133, 20});
    row("lblSekunden", "QLabel", "Sekunden:", {248, 273, 81, 20});
    row("txtSekunden", "QLineEdit", "", {353, 273, 133, 20});
}

void FrmWarpTest::controls() {
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    const QString name = QTest::currentDataTag();

    auto* widget = control<QWidget>(name);
    QCOMPARE(widget->metaObject()->className(), className);
    QCOMPARE(widget->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), text);
    } else {
        QCOMPARE(qobject_cast<QLineEdit*>(widget)->text(), text);
        QCOMPARE(form_->field(name.toStdString()), widget);
    }
}

void FrmWarpTest::controlsDoNotOverlap() {
    QList<QWidget*> controls = form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 21);
    const QRect client = form_->rect();
    QStringList overlaps;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QVERIFY2(client.contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->geometry().intersects(controls[j]->geometry())) {
                overlaps << controls[i]->objectName() + "/" + controls[j]->objectName();
            }
        }
    }
    // The title's box (120 + 495 twips) reaches one pixel row into the instruction's (600):
    // a row of black background in both. The instruction lies on top, whole.
    QCOMPARE(overlaps, QStringList{"lblTitel/lblAnleitung"});
    QCOMPARE(control<QLabel>("lblTitel")->geometry() & control<QLabel>("lblAnleitung")->geometry(),
             QRect(128, 40, 217, 1));
    QCOMPARE(form_->childAt(200, 40), control<QLabel>("lblAnleitung"));
    // The eight field labels end in one column, left of the text boxes.
    for (const QString& name : kLabels.mid(2)) {
        QCOMPARE(control<QLabel>(name)->geometry().right(), 328);
    }
    QVERIFY(form_->field("txtWarp")->x() > 329);
    QCOMPARE(form_->field("lblWarp"), nullptr);
    QCOMPARE(form_->field("nothing"), nullptr);
}

void FrmWarpTest::labels_data() {
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<Qt::Alignment>("horizontal");
    for (const QString& name : kLabels) {
        const bool title = name == "lblTitel";
        const bool leftAligned = title || name == "lblAnleitung";
        QTest::newRow(qPrintable(name))
            << (title ? 24 : 13) << Qt::Alignment(leftAligned ? Qt::AlignLeft : Qt::AlignRight);
    }
}

void FrmWarpTest::labels() {
    QFETCH(int, pixelSize);
    QFETCH(Qt::Alignment, horizontal);
    auto* label = control<QLabel>(QTest::currentDataTag());

    QCOMPARE(label->font().pixelSize(), pixelSize);
    QCOMPARE(label->font().weight(), QFont::Bold);
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, horizontal);
    QCOMPARE(label->palette().color(QPalette::Window), kBlack);
    QCOMPARE(label->palette().color(QPalette::WindowText), kGreen);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->buddy(), nullptr);  // no access key
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    // The family in use is the first of the list that is installed, never some default.
    const QString family = QFontInfo(label->font()).family();
    QVERIFY2(QStringList({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo",
                          "Arial", "Helvetica"})
                 .contains(family),
             qPrintable(family));
}

void FrmWarpTest::labelsAreOpaqueWithGreenText() {
    const QImage image = grabForm();
    const qreal ratio = image.devicePixelRatio();
    for (const QString& name : kLabels) {
        const QRect box = control<QLabel>(name)->geometry();
        int black = 0;
        int green = 0;
        int other = 0;
        for (int y = qRound(box.top() * ratio); y < qRound((box.bottom() + 1) * ratio); ++y) {
            for (int x = qRound(box.left() * ratio); x < qRound((box.right() + 1) * ratio); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == kBlack) {
                    ++black;
                } else if (c.red() == 0 && c.blue() == 0) {
                    ++green;  // text, anti-aliased shades of green included
                } else {
                    ++other;
                }
            }
        }
        QVERIFY2(other == 0, qPrintable(name + ": the starfield shows through"));
        QVERIFY2(green > 0 && black > green, qPrintable(name));
    }
}

void FrmWarpTest::textBoxes_data() {
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QString>("accessibleName");  // what a screen reader says: the label
    const QColor base = QApplication::palette().color(QPalette::Base);
    const QColor text = QApplication::palette().color(QPalette::Text);
    QTest::newRow("txtWarp") << base << QColor(Qt::black) << "Warp-Faktor:";
    QTest::newRow("txtEntfernung") << base << text << "Entfernung in Lichtjahren:";
    QTest::newRow("txtSpeed") << QColor(Qt::white) << text << "x-fache Lichtgeschwindigkeit:";
    QTest::newRow("txtJahre") << base << text << "Reisezeit in :    Jahren:";
    QTest::newRow("txtTage") << base << text << "Tagen:";
    QTest::newRow("txtStunden") << base << text << "Stunden:";
    QTest::newRow("txtMinuten") << base << text << "Minuten:";
    QTest::newRow("txtSekunden") << base << text << "Sekunden:";
}

void FrmWarpTest::textBoxes() {
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QFETCH(QString, accessibleName);
    const QString name = QTest::currentDataTag();
    QLineEdit* box = form_->field(name.toStdString());
    QVERIFY(box != nullptr);

    QCOMPARE(box->palette().color(QPalette::Base), base);
    QCOMPARE(box->palette().color(QPalette::Text), text);
    QVERIFY(box->text().isEmpty());
    QVERIFY(!box->isReadOnly());
    QVERIFY(box->hasFrame());
    QCOMPARE(box->echoMode(), QLineEdit::Normal);
    QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(box->font().pixelSize(), 11);  // 8 point
    QCOMPARE(box->font().weight(), QFont::Normal);
    QCOMPARE(QFontInfo(box->font()).family(),
             QFontInfo(control<QLabel>("lblWarp")->font()).family());

    QCOMPARE(box->accessibleName(), accessibleName);
}

void FrmWarpTest::buttons() {
    auto* rechnen = control<QPushButton>("cmdRechnen");
    auto* ende = control<QPushButton>("cmdEnde");
    QCOMPARE(form_->cmdRechnen(), rechnen);
    QCOMPARE(form_->cmdEnde(), ende);
    QVERIFY(rechnen->isDefault());
    QVERIFY(!ende->isDefault());
    QVERIFY(!ende->autoDefault());
    QCOMPARE(QKeySequence::mnemonic(rechnen->text()), QKeySequence(Qt::ALT | Qt::Key_B));
    QCOMPARE(QKeySequence::mnemonic(ende->text()), QKeySequence(Qt::ALT | Qt::Key_E));
    for (QPushButton* button : {rechnen, ende}) {
        QCOMPARE(button->font().pixelSize(), 13);  // 9.75 point
        QCOMPARE(button->font().weight(), QFont::Normal);
    }
}

void FrmWarpTest::line() {
    auto* line = control<QWidget>("Line1");
    QCOMPARE(line->geometry(), QRect(8, 129, 480, 1));
    QCOMPARE(line->focusPolicy(), Qt::NoFocus);

    const QImage image = grabForm();
    const qreal ratio = image.devicePixelRatio();
    const auto at = [&](int x, int y) {
        return image.pixelColor(qFloor(x * ratio), qFloor(y * ratio));
    };
    for (int x = 8; x < 488; ++x) {
        QCOMPARE(at(x, 129), kGreen);
    }
    QVERIFY(at(7, 129) != kGreen && at(488, 129) != kGreen);
    QVERIFY(at(300, 128) != kGreen && at(300, 130) != kGreen);
}

void FrmWarpTest::starfieldIsUnscaledFromTopLeft() {
    const QImage stars = QImage(res::starfieldPath()).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(stars.size(), QSize(510, 374));
    const QImage image = grabForm().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = image.devicePixelRatio();
    // Corners that no control covers: top-left, and bottom-right where the picture is cut.
    int stared = 0;
    for (const QRect free :
         {QRect(0, 0, 120, 38), QRect(0, 200, 100, 119), QRect(488, 0, 10, 319)}) {
        for (int y = free.top(); y <= free.bottom(); ++y) {
            for (int x = free.left(); x <= free.right(); ++x) {
                const QRgb expected = stars.pixel(x, y);
                QCOMPARE(image.pixel(qFloor(x * ratio), qFloor(y * ratio)), expected);
                stared += expected != qRgb(0, 0, 0) ? 1 : 0;
            }
        }
    }
    QVERIFY2(stared > 0, "the compared corners hold at least one star");
}

void FrmWarpTest::focusOrder() {
    QCOMPARE(form_->focusWidget(), form_->field("txtWarp"));
    QCOMPARE(QApplication::focusWidget(), form_->field("txtWarp"));

    const QStringList expected{"txtSpeed",   "txtEntfernung", "txtJahre",   "txtTage", "txtStunden",
                               "txtMinuten", "txtSekunden",   "cmdRechnen", "cmdEnde", "txtWarp"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    for (const QString& name : kLabels) {
        QCOMPARE(control<QWidget>(name)->focusPolicy(), Qt::NoFocus);
    }
}

// Every label's and button's text fits its box in the font in use, by its metrics and by the
// ink actually drawn at this device pixel ratio.
void FrmWarpTest::noTextIsCut_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : kLabels + QStringList{"cmdRechnen", "cmdEnde"}) {
        QTest::newRow(qPrintable(name)) << name;
    }
}

void FrmWarpTest::noTextIsCut() {
    QFETCH(QString, name);
    auto* widget = control<QWidget>(name);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // The style's own measure: text, bevel and margins.
        const QSize needed = button->sizeHint();
        QVERIFY2(needed.width() <= button->width() && needed.height() <= button->height(),
                 qPrintable(QString("needs %1x%2").arg(needed.width()).arg(needed.height())));
        return;
    }
    auto* label = qobject_cast<QLabel*>(widget);
    const QFontMetricsF metrics(label->font(), label);
    const QRectF room = label->contentsRect();
    QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width(), "too wide");
    QVERIFY2(metrics.boundingRect(label->text()).width() <= room.width(), "ink too wide");
    QVERIFY2(metrics.height() <= room.height(), "too high");

    const QImage image = label->grab().toImage();
    const QRect ink = greenInk(image);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.bottom() < image.height() - 1, "descenders cut at the bottom");
    QVERIFY2(ink.top() > 0, "cut at the top");
    if (label->alignment() & Qt::AlignRight) {
        QVERIFY2(ink.left() > 0, "cut at the left");
    } else {
        QVERIFY2(ink.right() < image.width() - 1, "cut at the right");
    }
}

// A text box shows its whole line, descenders included: its text area is at least one line
// of its font high. QLineEdit keeps one pixel above and below the text inside the contents.
void FrmWarpTest::textBoxesShowAFullLine() {
    for (const QString& name : kTextBoxes) {
        QLineEdit* box = form_->field(name.toStdString());
        QStyleOptionFrame option;
        option.initFrom(box);
        option.rect = box->rect();
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        option.state |= QStyle::State_Sunken;
        const QRect contents = box->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                                   .marginsRemoved(box->textMargins());
        const qreal lineHeight = QFontMetricsF(box->font(), box).height();
        QVERIFY2(contents.height() - 2 >= lineHeight,
                 qPrintable(QString("%1: %2 px for a line of %3 px")
                                .arg(name)
                                .arg(contents.height() - 2)
                                .arg(lineHeight)));
    }
}

void FrmWarpTest::longResultStaysOnOneLine() {
    QLineEdit* speed = form_->field("txtSpeed");
    const QString result = "1.234.567.890.123.456.789,1234";
    speed->setText(result);
    QCOMPARE(speed->text(), result);  // nothing cut off
    QCOMPARE(speed->size(), QSize(133, 20));
    QVERIFY(QFontMetricsF(speed->font(), speed).horizontalAdvance(result) > speed->width());
    speed->clear();
}

QTEST_MAIN(FrmWarpTest)
#include "tst_frmwarp.moc"
