#include "numtext/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "numtext/float_check.h"

namespace numtext {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
constexpr std::string_view kRightSingleQuote = "\u2019";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWithAt(std::string_view text, std::size_t pos, std::string_view token) {
    return !token.empty() && text.substr(pos).starts_with(token);
}

// Length of the white space at `pos`: ASCII white space and the two no-break spaces.
std::size_t spaceAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    if (std::string_view(" \t\n\r\f\v").find(text[pos]) != std::string_view::npos) {
        return 1;
    }
    for (std::string_view space : {kNoBreakSpace, kNarrowNoBreakSpace}) {
        if (startsWithAt(text, pos, space)) {
            return space.size();
        }
    }
    return 0;
}

std::size_t skipSpace(std::string_view text, std::size_t pos) {
    while (std::size_t n = spaceAt(text, pos)) {
        pos += n;
    }
    return pos;
}

// Length of a group separator at `pos`, or 0. People type a plain space for a no-break
// space and an ASCII apostrophe for U+2019, so those stand in for them.
std::size_t groupSeparatorAt(std::string_view text, std::size_t pos, const NumberFormat& format) {
    const std::string_view sep = format.groupSeparator;
    if (startsWithAt(text, pos, sep)) {
        return sep.size();
    }
    if (sep == kNoBreakSpace || sep == kNarrowNoBreakSpace) {
        for (std::string_view alt : {std::string_view(" "), kNoBreakSpace, kNarrowNoBreakSpace}) {
            if (startsWithAt(text, pos, alt)) {
                return alt.size();
            }
        }
    } else if (sep == kRightSingleQuote && startsWithAt(text, pos, "'")) {
        return 1;
    }
    return 0;
}

// True when a group separator with `digitsRight` integer digits to its right stands where
// the region puts one: after the first group, then after every higher group.
bool atGroupPosition(std::size_t digitsRight, const NumberFormat& format) {
    const auto first = static_cast<std::size_t>(format.firstGroupSize);
    const auto higher = static_cast<std::size_t>(format.higherGroupSize);
    return digitsRight >= first && (digitsRight - first) % higher == 0;
}

// A number text taken apart: its digits and where they stand, ready for std::from_chars.
struct ParsedNumber {
    bool negative = false;
    std::string_view intDigits;  // as typed, group separators included
    std::string_view fracDigits;
    std::int64_t exponent = 0;
};

// Saturates far beyond any exponent a double can need, so that no digit count overflows it.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

std::optional<ParsedNumber> parse(std::string_view text, const NumberFormat& format) {
    ParsedNumber out;
    std::size_t pos = skipSpace(text, 0);

    if (startsWithAt(text, pos, format.negativeSign)) {
        out.negative = true;
        pos += format.negativeSign.size();
    } else if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        out.negative = text[pos] == '-';
        ++pos;
    }

    // Integer digits, with group separators only between digits and at the region's places.
    // Separators may be left out, but those typed must all stand at group places: each one
    // a whole number of higher groups from the one before, the last one a first group (plus
    // higher groups) from the end.
    const std::size_t intStart = pos;
    std::size_t digits = 0;
    std::optional<std::size_t> lastSeparator;  // digits before the latest separator
    bool misplaced = false;
    while (pos < text.size()) {
        if (isDigit(text[pos])) {
            ++digits;
            ++pos;
            continue;
        }
        if (digits == 0 || !format.groups() || startsWithAt(text, pos, format.decimalSeparator)) {
            break;
        }
        const std::size_t sepLen = groupSeparatorAt(text, pos, format);
        if (sepLen == 0 || pos + sepLen >= text.size() || !isDigit(text[pos + sepLen])) {
            break;
        }
        if (lastSeparator) {
            misplaced = misplaced ||
                        (digits - *lastSeparator) % static_cast<std::size_t>(format.higherGroupSize) != 0;
        }
        lastSeparator = digits;
        pos += sepLen;
    }
    if (misplaced || (lastSeparator && !atGroupPosition(digits - *lastSeparator, format))) {
        return std::nullopt;
    }
    out.intDigits = text.substr(intStart, pos - intStart);

    if (startsWithAt(text, pos, format.decimalSeparator)) {
        const std::size_t fracStart = pos + format.decimalSeparator.size();
        std::size_t end = fracStart;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        if (end == fracStart) {
            return std::nullopt;  // a decimal separator needs fraction digits
        }
        out.fracDigits = text.substr(fracStart, end - fracStart);
        pos = end;
    }
    if (digits == 0 && out.fracDigits.empty()) {
        return std::nullopt;
    }

    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (startsWithAt(text, pos, format.negativeSign)) {
            negativeExponent = true;
            pos += format.negativeSign.size();
        } else if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        if (pos >= text.size() || !isDigit(text[pos])) {
            return std::nullopt;
        }
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            out.exponent = std::min(out.exponent * 10 + (text[pos] - '0'), kExponentLimit);
        }
        if (negativeExponent) {
            out.exponent = -out.exponent;
        }
    }

    if (skipSpace(text, pos) != text.size()) {
        return std::nullopt;
    }
    return out;
}

// Where the first non-zero digit stands: its power of ten, without the exponent. Only asked
// for a number that does not fit a double, to tell too large from too small.
std::int64_t leadingPower(std::string_view intDigits, std::string_view fracDigits) {
    std::int64_t significant = 0;
    bool seen = false;
    for (char c : intDigits) {
        if (isDigit(c)) {
            seen = seen || c != '0';
            significant += seen ? 1 : 0;
        }
    }
    if (significant > 0) {
        return significant - 1;
    }
    const auto firstNonZero = fracDigits.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos) {
        return 0;
    }
    return -static_cast<std::int64_t>(firstNonZero) - 1;
}

// The ASCII text std::from_chars reads: digits '.' digits 'e' exponent.
template <typename Buffer>
std::size_t writeAscii(const ParsedNumber& n, Buffer& out) {
    std::size_t len = 0;
    auto put = [&](char c) { out[len++] = c; };
    for (char c : n.intDigits) {
        if (isDigit(c)) {
            put(c);
        }
    }
    if (n.intDigits.empty()) {
        put('0');
    }
    put('.');
    for (char c : n.fracDigits) {
        put(c);
    }
    if (n.fracDigits.empty()) {
        put('0');
    }
    put('e');
    auto [end, ec] = std::to_chars(&out[len], &out[len] + 24, n.exponent);
    (void)ec;  // 24 characters hold any 64-bit integer
    return static_cast<std::size_t>(end - &out[0]);
}

std::optional<double> convert(const ParsedNumber& n) {
    const std::size_t needed = n.intDigits.size() + n.fracDigits.size() + 32;
    std::array<char, 128> small{};
    std::string large;
    char* buffer = small.data();
    std::size_t len = 0;
    if (needed <= small.size()) {
        len = writeAscii(n, small);
    } else {
        large.resize(needed);
        len = writeAscii(n, large);
        buffer = large.data();
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(buffer, buffer + len, value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Either beyond the largest double, or closer to zero than the smallest.
        if (leadingPower(n.intDigits, n.fracDigits) + n.exponent > 0) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return n.negative ? -value : value;
}

std::optional<double> toDouble(std::string_view text, const NumberFormat& format) {
    const auto parsed = parse(text, format);
    if (!parsed) {
        return std::nullopt;
    }
    return convert(*parsed);
}

}  // namespace

bool rtcIsNumeric(std::string_view text, const NumberFormat& format) {
    return toDouble(text, format).has_value();
}

double vbaR8Str(std::string_view text, const NumberFormat& format) {
    if (const auto value = toDouble(text, format)) {
        return *value;
    }
    throw TypeMismatch();
}

std::string rtcFormatNumber(double value, int decimals, const NumberFormat& format) {
    if (!std::isfinite(value)) {
        vbaFPException();
    }
    decimals = std::clamp(decimals, 0, 15);

    // The largest double has 309 integer digits.
    std::array<char, 309 + 1 + 15 + 8> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(),
                                      std::fabs(value), std::chars_format::fixed, decimals);
    const std::string_view plain(digits.data(), static_cast<std::size_t>(result.ptr - digits.data()));
    const std::size_t point = std::min(plain.find('.'), plain.size());
    const std::string_view intPart = plain.substr(0, point);
    const std::string_view fracPart = point < plain.size() ? plain.substr(point + 1) : "";

    const bool showsZero = plain.find_first_not_of("0.") == std::string_view::npos;
    const bool negative = std::signbit(value) && !showsZero;
    std::size_t separators = 0;
    const auto first = static_cast<std::size_t>(format.firstGroupSize);
    if (format.groups() && intPart.size() > first) {
        separators = 1 + (intPart.size() - first - 1) / static_cast<std::size_t>(format.higherGroupSize);
    }

    std::string text;
    text.reserve((negative ? format.negativeSign.size() : 0) + intPart.size() +
                 separators * format.groupSeparator.size() + format.decimalSeparator.size() +
                 fracPart.size());
    if (negative) {
        text += format.negativeSign;
    }
    if (separators > 0) {
        for (std::size_t i = 0; i < intPart.size(); ++i) {
            if (i > 0 && atGroupPosition(intPart.size() - i, format)) {
                text += format.groupSeparator;
            }
            text += intPart[i];
        }
    } else {
        text += intPart;
    }
    if (decimals > 0) {
        text += format.decimalSeparator;
        text += fracPart;
    }
    return text;
}

}  // namespace numtext
