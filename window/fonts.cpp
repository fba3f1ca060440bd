#include "window/fonts.h"

#include <QFontDatabase>
#include <QString>

#include "window/layout.h"

namespace window {

WindowFonts::WindowFonts() {
    const QStringList installed = QFontDatabase::families();
    for (const std::string_view family : kFontFamilies) {
        const QString name =
            QString::fromLatin1(family.data(), static_cast<qsizetype>(family.size()));
        if (installed.contains(name, Qt::CaseInsensitive)) {
            families_.append(name);
        }
    }
}

QFont WindowFonts::font(int sizeTwips, bool bold) const {
    QFont font;
    if (!families_.isEmpty()) {
        font.setFamilies(families_);
    }
    font.setStyleHint(QFont::SansSerif);  // none installed: the system's sans serif face
    font.setPixelSize(pixelsFromTwips(sizeTwips));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace window
