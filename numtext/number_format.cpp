#include "numtext/number_format.h"

#include <algorithm>
#include <string_view>

namespace numtext {

namespace {

bool hasReservedChar(std::string_view s, std::string_view reserved) {
    return std::ranges::any_of(s, [&](char c) {
        return (c >= '0' && c <= '9') || reserved.find(c) != std::string_view::npos;
    });
}

bool startsWithSpace(std::string_view s) {
    return !s.empty() && std::string_view(" \t\n\r\f\v").find(s.front()) != std::string_view::npos;
}

}  // namespace

bool NumberFormat::unambiguous() const {
    if (decimalSeparator.empty() || negativeSign.empty()) {
        return false;
    }
    if (hasReservedChar(decimalSeparator, "+-eE") || hasReservedChar(negativeSign, "+eE") ||
        startsWithSpace(negativeSign)) {
        return false;
    }
    if (groups()) {
        // A decimal separator at the start of the group separator would be read first.
        if (hasReservedChar(groupSeparator, "+-eE") ||
            std::string_view(groupSeparator).starts_with(decimalSeparator)) {
            return false;
        }
    }
    return true;
}

}  // namespace numtext
