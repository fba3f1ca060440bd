// The user's regional number format, read from the platform. The only place where regional
// knowledge enters the program; everything below gets it as a NumberFormat value.
#pragma once

#include "numtext/number_format.h"

class QLocale;

namespace window {

/// The number format of `locale`: its decimal and group separators, group sizes and negative
/// sign. Qt is asked for symbols and group sizes only; numbers are read and written by numtext.
/// A locale that does not group (such as "C") gives no group separator. A locale whose symbols
/// could be confused with one another gives the plain format "1234.5" instead.
[[nodiscard]] numtext::NumberFormat numberFormatOf(const QLocale& locale);

/// The format of the user's current regional settings (QLocale::system(): LC_ALL, LC_NUMERIC
/// and LANG on Linux, the Region settings on Windows and macOS). Asked afresh at every run, so
/// that a change of settings applies at the next click.
[[nodiscard]] numtext::NumberFormat platformNumberFormat();

}  // namespace window
