// The reference for "x rounded to four decimals": the double nearest to x written out with
// exactly four decimals.
#pragma once

#include <charconv>

inline double roundedToFourDecimals(double x) {
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 4).ptr;
    double rounded = 0;
    std::from_chars(buffer, end, rounded);
    return rounded;
}
