// The program's entry: shows the calculator window and runs its event loop until it closes.

#include <QApplication>

#include "window/frm_warp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    window::frmWarp form;
    form.show();
    return QApplication::exec();
}
