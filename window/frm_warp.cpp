#include "window/frm_warp.h"

#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QResource>
#include <QString>
#include <algorithm>
#include <vector>

#include "calc/rechnen.h"
#include "res/resources.h"
#include "window/fonts.h"
#include "window/layout.h"
#include "window/pictures.h"
#include "window/platform_format.h"
#include "window/runtime.h"

namespace window {
namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor rgb(unsigned value) {
    return QColor::fromRgb(static_cast<QRgb>(value));
}

QRect pixelRect(const ControlRow& row) {
    return {pixelsFromTwips(row.left), pixelsFromTwips(row.top), pixelsFromTwips(row.width),
            pixelsFromTwips(row.height)};
}

QWidget* makeLabel(const ControlRow& row, const WindowFonts& fonts, QWidget* parent) {
    auto* label = new QLabel(qText(row.text), parent);
    label->setTextFormat(Qt::PlainText);  // shown as written; no buddy, so no access key
    label->setFont(fonts.font(row.name == kTitleLabel ? kTitleFontTwips : kLabelFontTwips, true));
    label->setAlignment((row.align == TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, rgb(kLabelBackground));
    palette.setColor(QPalette::WindowText, rgb(kLabelText));
    label->setPalette(palette);
    return label;
}

QLineEdit* makeTextBox(const ControlRow& row, QWidget* parent) {
    auto* box = new QLineEdit(parent);  // one line: a long result scrolls
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette palette = box->palette();
    if (row.name == kWhiteFieldBox) {
        palette.setColor(QPalette::Base, rgb(kWhiteField));
    }
    if (row.name == kBlackTextBox) {
        palette.setColor(QPalette::Text, rgb(kBlackText));
    }
    box->setPalette(palette);
    return box;
}

QPushButton* makeButton(const ControlRow& row, const WindowFonts& fonts, QWidget* parent) {
    auto* button = new QPushButton(qText(row.text), parent);  // "&" gives the Alt key
    button->setFont(fonts.font(kButtonFontTwips, false));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

frmWarp::frmWarp(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      starfield_(
          QPixmap::fromImage(decodeGif(QResource(res::starfieldPath()).uncompressedData()))) {
    setObjectName(qText(kFormName));
    setWindowTitle(qText(kCaption));
    QIcon icon;
    for (const QImage& image : decodeIco(QResource(res::iconPath()).uncompressedData())) {
        icon.addPixmap(QPixmap::fromImage(image));
    }
    setWindowIcon(icon);
    // The window's default font, which the text boxes use, is the program's default font too
    // (and so the message box's). Qt lays out a new text box once in the program's default
    // font before it takes the window's, which would otherwise load a face never shown.
    const WindowFonts fonts;
    QApplication::setFont(fonts.font(kTextBoxFontTwips, false));
    setFont(QApplication::font());
    setFixedSize(pixelsFromTwips(kClientWidthTwips), pixelsFromTwips(kClientHeightTwips));

    // Made in the table's order, so a later control lies above an earlier one: the
    // instruction covers the one pixel row by which the title's box reaches into its own.
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlRow& row : kControls) {
        QWidget* control = nullptr;
        switch (row.kind) {
            case ControlKind::Label:
                control = makeLabel(row, fonts, this);
                break;
            case ControlKind::TextBox:
                control = makeTextBox(row, this);
                focusable.emplace_back(row.tabIndex, control);
                break;
            case ControlKind::CommandButton:
                control = makeButton(row, fonts, this);
                focusable.emplace_back(row.tabIndex, control);
                break;
        }
        control->setObjectName(qText(row.name));
        control->setGeometry(pixelRect(row));
    }

    // Line1: one pixel of green from (x1, y1) up to, not including, (x2, y2).
    auto* line = new QWidget(this);
    line->setObjectName(qText(kLine.name));
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAutoFillBackground(true);
    QPalette linePalette = line->palette();
    linePalette.setColor(QPalette::Window, rgb(kLineColour));
    line->setPalette(linePalette);
    const int x1 = pixelsFromTwips(kLine.x1);
    const int y1 = pixelsFromTwips(kLine.y1);
    line->setGeometry(x1, y1, std::max(1, pixelsFromTwips(kLine.x2) - x1),
                      std::max(1, pixelsFromTwips(kLine.y2) - y1));

    for (const FieldCaption& caption : kFieldCaptions) {
        if (const auto label = findControl(caption.label)) {
            field(caption.textBox)->setAccessibleName(qText(label->text));
        }
    }

    cmdRechnen_ = findChild<QPushButton*>(QStringLiteral("cmdRechnen"));
    cmdEnde_ = findChild<QPushButton*>(QStringLiteral("cmdEnde"));
    cmdRechnen_->setDefault(true);

    std::sort(focusable.begin(), focusable.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        setTabOrder(focusable[i - 1].second, focusable[i].second);
    }
    focusable.front().second->setFocus();

    // Keyboard and mouse take one road: Enter in a text box, Alt+B (the button's own access
    // key) and a click all end in the one click of cmdRechnen. Escape clicks nothing.
    for (const FieldCaption& caption : kFieldCaptions) {
        connect(field(caption.textBox), &QLineEdit::returnPressed, cmdRechnen_,
                &QPushButton::click);
    }
    connect(cmdRechnen_, &QPushButton::clicked, this, &frmWarp::cmdRechnen_Click);
    connect(cmdEnde_, &QPushButton::clicked, this, &frmWarp::cmdEnde_Click);
    Form_Load();
}

void frmWarp::cmdRechnen_Click() {
    WindowFields fields(*this);
    MsgBoxSink message(this);
    calc::Rechnen(fields, message, platformNumberFormat());
}

void frmWarp::cmdEnde_Click() {
    vbaEnd();
}

QLineEdit* frmWarp::field(std::string_view controlName) const {
    const auto row = findControl(controlName);
    if (!row || row->kind != ControlKind::TextBox) {
        return nullptr;
    }
    return findChild<QLineEdit*>(qText(controlName), Qt::FindDirectChildrenOnly);
}

void frmWarp::paintEvent(QPaintEvent* /*event*/) {
    // Unscaled from the top-left corner; the window cuts off the picture's right and bottom.
    QPainter painter(this);
    painter.drawPixmap(0, 0, starfield_);
}

}  // namespace window
