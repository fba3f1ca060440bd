#include "window/platform_format.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace window {

numtext::NumberFormat numberFormatOf(const QLocale& locale) {
    numtext::NumberFormat format;
    format.decimalSeparator = locale.decimalPoint().toStdString();
    format.negativeSign = locale.negativeSign().toStdString();

    // Qt 6.4 does not tell group sizes, so they are read off a grouped number. The group next
    // to the decimal separator and the one above it are reliable; Qt sometimes leaves out the
    // top separator (Spanish "1234.567.890.123"), which the two lower groups do not show.
    const QString separator = locale.groupSeparator();
    if (!(locale.numberOptions() & QLocale::OmitGroupSeparator) && !separator.isEmpty()) {
        const QStringList groups = locale.toString(1234567890123456LL).split(separator);
        if (groups.size() >= 3) {
            format.groupSeparator = separator.toStdString();
            format.firstGroupSize = static_cast<int>(groups[groups.size() - 1].toUcs4().size());
            format.higherGroupSize = static_cast<int>(groups[groups.size() - 2].toUcs4().size());
        }
    }
    return format.unambiguous() ? format : numtext::NumberFormat{};
}

numtext::NumberFormat platformNumberFormat() {
    return numberFormatOf(QLocale::system());
}

}  // namespace window
