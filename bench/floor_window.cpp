// The floor for the program's start-up and memory: a plain Qt Widgets window with the same
// controls in the same places (ten labels, eight line edits, two buttons, a line, the
// caption) and nothing else: no fonts, colours, picture or icon of its own, no calculation.
// bench/startup.py starts it beside the program.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "window/layout.h"

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace window;
    QApplication application(argc, argv);
    QWidget form;
    form.setWindowTitle(qText(kCaption));
    form.setFixedSize(pixelsFromTwips(kClientWidthTwips), pixelsFromTwips(kClientHeightTwips));
    for (const ControlRow& row : kControls) {
        QWidget* control = nullptr;
        switch (row.kind) {
            case ControlKind::Label:
                control = new QLabel(qText(row.text), &form);
                break;
            case ControlKind::TextBox:
                control = new QLineEdit(&form);
                break;
            case ControlKind::CommandButton:
                control = new QPushButton(qText(row.text), &form);
                break;
        }
        control->setGeometry(pixelsFromTwips(row.left), pixelsFromTwips(row.top),
                             pixelsFromTwips(row.width), pixelsFromTwips(row.height));
    }
    auto* line = new QFrame(&form);
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(pixelsFromTwips(kLine.x1), pixelsFromTwips(kLine.y1),
                      pixelsFromTwips(kLine.x2 - kLine.x1), 1);
    form.show();
    return QApplication::exec();
}
