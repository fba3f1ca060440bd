// Number texts: testing, converting and formatting the texts of the window's fields under a
// regional NumberFormat. Pure functions on UTF-8 strings; no calculation happens here.
//
// A text is numeric when it is, in this order: optional white space; an optional sign ("+",
// "-" or the region's negative sign); ASCII digits, with the region's group separator only
// between digits and only where the region puts one; an optional decimal separator followed
// by fraction digits (the integer digits may be left out when fraction digits follow); an
// optional exponent ("e" or "E", an optional sign, digits); optional white space. Where the
// region groups with a no-break space, a plain space is taken in its place, and an ASCII
// apostrophe where it groups with U+2019. Nothing else is numeric, and neither is a text whose
// value lies beyond the range of a double.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "numtext/number_format.h"

namespace numtext {

/// Raised by vbaR8Str for a text that rtcIsNumeric does not accept.
class TypeMismatch : public std::invalid_argument {
  public:
    TypeMismatch() : std::invalid_argument("Typen unverträglich") {}
};

/// True when `text` is a number under `format`; every such text converts with vbaR8Str to a
/// finite double.
[[nodiscard]] bool rtcIsNumeric(std::string_view text, const NumberFormat& format);

/// The double that `text` denotes under `format`, correctly rounded. A value too small for a
/// double becomes zero (keeping its sign).
/// @throws TypeMismatch when rtcIsNumeric(text, format) is false.
[[nodiscard]] double vbaR8Str(std::string_view text, const NumberFormat& format);

/// `value` written with exactly `decimals` fraction digits (clamped to 0..15), correctly
/// rounded from the double's exact value with ties to even, with a leading zero, the region's
/// digit grouping and negative sign, and every integer digit of a large value. A value that
/// shows as zero carries no sign.
/// @throws FloatingPointError (float_check.h) for a value that is not finite.
[[nodiscard]] std::string rtcFormatNumber(double value, int decimals, const NumberFormat& format);

}  // namespace numtext
