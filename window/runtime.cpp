#include "window/runtime.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>

#include "window/frm_warp.h"
#include "window/layout.h"

namespace window {

std::string WindowFields::text(std::string_view name) const {
    const QLineEdit* box = form_.field(name);
    return box ? box->text().toStdString() : std::string();
}

void WindowFields::setText(std::string_view name, const std::string& text) {
    if (QLineEdit* box = form_.field(name)) {
        box->setText(QString::fromStdString(text));
        box->setCursorPosition(0);
    }
}

void rtcMsgBox(QWidget* owner, const std::string& text) {
    // The program's title is the window's caption.
    const QString title =
        QString::fromUtf8(kCaption.data(), static_cast<qsizetype>(kCaption.size()));
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok,
                    owner);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // a plain OK, as the box has no icon either
    box.exec();
}

void vbaEnd() {
    QCoreApplication::exit(0);
}

}  // namespace window
