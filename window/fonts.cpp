#include "window/fonts.h"

#include <QString>
#include <QStringList>

#include "window/layout.h"

namespace window {

QFont windowFont(int sizeTwips, bool bold) {
    QStringList families;
    for (const std::string_view family : kFontFamilies) {
        families.append(QString::fromLatin1(family.data(), static_cast<qsizetype>(family.size())));
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelsFromTwips(sizeTwips));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace window
