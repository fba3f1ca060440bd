#include "numtext/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

#include "numtext/float_check.h"

namespace numtext {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
constexpr std::string_view kRightSingleQuote = "\u2019";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether `token` (not empty) stands at `pos`. Hot: the first byte decides almost every call.
inline bool startsWithAt(std::string_view text, std::size_t pos, std::string_view token) {
    return !token.empty() && pos < text.size() && text[pos] == token.front() &&
           text.size() - pos >= token.size() &&
           (token.size() == 1 || std::memcmp(text.data() + pos, token.data(), token.size()) == 0);
}

// Length of the white space at `pos`: ASCII white space and the two no-break spaces.
std::size_t spaceAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c > ' ' && c < 0x80) {
        return 0;  // digits, signs and letters: the usual case
    }
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
        return 1;
    }
    if (startsWithAt(text, pos, kNoBreakSpace)) {
        return kNoBreakSpace.size();
    }
    if (startsWithAt(text, pos, kNarrowNoBreakSpace)) {
        return kNarrowNoBreakSpace.size();
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

bool hasReservedChar(std::string_view s, std::string_view reserved) {
    return std::ranges::any_of(
        s, [&](char c) { return isDigit(c) || reserved.find(c) != std::string_view::npos; });
}

}  // namespace

bool NumberFormat::unambiguous() const {
    if (decimalSeparator.empty() || negativeSign.empty()) {
        return false;
    }
    // A negative sign that starts with white space would be skipped as such.
    if (hasReservedChar(decimalSeparator, "+-eE") || hasReservedChar(negativeSign, "+eE") ||
        spaceAt(negativeSign, 0) > 0) {
        return false;
    }
    // A group separator that starts with the decimal separator would be read as that.
    return !groups() || (!hasReservedChar(groupSeparator, "+-eE") &&
                         !std::string_view(groupSeparator).starts_with(decimalSeparator));
}

namespace {

// An optional sign at `pos`: the region's negative sign, "-" or "+". Returns the length taken.
std::size_t signAt(std::string_view text, std::size_t pos, const NumberFormat& format,
                   bool& negative) {
    if (startsWithAt(text, pos, format.negativeSign)) {
        negative = true;
        return format.negativeSign.size();
    }
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        return 1;
    }
    return 0;
}

// Saturates far beyond any exponent a double can need, so that no digit count overflows it.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

// Where the first non-zero digit of "digits.digits" stands, as a power of ten. Only asked
// for a number that does not fit a double, to tell too large from too small.
std::int64_t leadingPower(std::string_view ascii) {
    const std::size_t point = ascii.find('.');
    const std::size_t first = ascii.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return 0;
    }
    return first < point ? static_cast<std::int64_t>(point - first) - 1
                         : -static_cast<std::int64_t>(first - point);
}

// The digits of a short number as an integer, for the exact quick conversion that almost
// every typed number and every shown result takes.
struct Mantissa {
    std::uint64_t value = 0;
    std::size_t digits = 0;  // leading zeros included; only the first 19 enter `value`
    std::size_t fractionDigits = 0;

    void add(char digit) {
        if (digits < 19) {
            value = value * 10 + static_cast<std::uint64_t>(digit - '0');
        }
        ++digits;
    }

    // value x 10^(exponent - fractionDigits), when that is exact to compute: an integer
    // below 2^53 and a power of ten up to 10^22 are both exact as doubles, so one correctly
    // rounded multiplication or division gives the correctly rounded result.
    [[nodiscard]] std::optional<double> exactValue(std::int64_t exponent) const {
        static constexpr std::array<double, 23> kPowers{
            1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (digits > 19 || value >= (std::uint64_t{1} << 53)) {
            return std::nullopt;
        }
        const std::int64_t power = exponent - static_cast<std::int64_t>(fractionDigits);
        if (power < -22 || power > 22) {
            return value == 0 ? std::optional<double>(0.0) : std::nullopt;
        }
        const auto m = static_cast<double>(value);
        return power >= 0 ? m * kPowers[static_cast<std::size_t>(power)]
                          : m / kPowers[static_cast<std::size_t>(-power)];
    }
};

// Reads `text` under `format` in one pass, writing what it denotes into `out` as the ASCII
// text std::from_chars takes ("digits.digits" and an exponent); `out` has room for
// text.size() + 32 characters. Returns nothing for a text that is not a number.
std::optional<double> scan(std::string_view text, const NumberFormat& format, char* out) {
    char* w = out;
    std::size_t pos = skipSpace(text, 0);
    bool negative = false;
    pos += signAt(text, pos, format, negative);

    // Integer digits. Group separators may be left out, but those typed must all stand at the
    // region's places: each a whole number of higher groups after the one before, the last a
    // first group (plus higher groups) before the end of the integer digits.
    std::size_t digits = 0;
    Mantissa mantissa;
    std::optional<std::size_t> lastSeparator;  // integer digits before the latest separator
    bool misplaced = false;
    while (pos < text.size()) {
        if (isDigit(text[pos])) {
            mantissa.add(text[pos]);
            *w++ = text[pos++];
            ++digits;
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
            const auto higher = static_cast<std::size_t>(format.higherGroupSize);
            misplaced = misplaced || (digits - *lastSeparator) % higher != 0;
        }
        lastSeparator = digits;
        pos += sepLen;
    }
    if (misplaced || (lastSeparator && !atGroupPosition(digits - *lastSeparator, format))) {
        return std::nullopt;
    }
    if (digits == 0) {
        *w++ = '0';
    }

    *w++ = '.';
    if (startsWithAt(text, pos, format.decimalSeparator)) {
        pos += format.decimalSeparator.size();
        const std::size_t fracStart = pos;
        while (pos < text.size() && isDigit(text[pos])) {
            mantissa.add(text[pos]);
            *w++ = text[pos++];
        }
        mantissa.fractionDigits = pos - fracStart;
        if (pos == fracStart) {
            return std::nullopt;  // a decimal separator needs fraction digits
        }
    } else if (digits == 0) {
        return std::nullopt;  // no digits at all
    } else {
        *w++ = '0';
    }
    const std::string_view ascii(out, static_cast<std::size_t>(w - out));

    std::int64_t exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        bool negativeExponent = false;
        pos += 1 + signAt(text, pos + 1, format, negativeExponent);
        if (pos >= text.size() || !isDigit(text[pos])) {
            return std::nullopt;
        }
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            exponent = std::min(exponent * 10 + (text[pos] - '0'), kExponentLimit);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
        *w++ = 'e';
        w = std::to_chars(w, w + 24, exponent).ptr;  // 24 characters hold any 64-bit integer
    }
    if (skipSpace(text, pos) != text.size()) {
        return std::nullopt;
    }

    if (const auto exact = mantissa.exactValue(exponent)) {
        return negative ? -*exact : *exact;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(out, w, value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Either beyond the largest double, or closer to zero than the smallest.
        if (leadingPower(ascii) + exponent > 0) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> toDouble(std::string_view text, const NumberFormat& format) {
    constexpr std::size_t kOnStack = 96;
    if (text.size() <= kOnStack) {
        std::array<char, kOnStack + 32> buffer;  // NOLINT: written before it is read
        return scan(text, format, buffer.data());
    }
    std::string buffer(text.size() + 32, '\0');
    return scan(text, format, buffer.data());
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
    std::array<char, 309 + 1 + 15 + 8> digits;  // NOLINT: to_chars writes what is read
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(),
                                      std::fabs(value), std::chars_format::fixed, decimals);
    const std::string_view plain(digits.data(),
                                 static_cast<std::size_t>(result.ptr - digits.data()));
    // to_chars writes "digits" or "digits.decimals", without leading zeros.
    const std::size_t fracSize = static_cast<std::size_t>(decimals);
    const std::string_view intPart =
        plain.substr(0, plain.size() - (fracSize > 0 ? fracSize + 1 : 0));
    const std::string_view fracPart = plain.substr(plain.size() - fracSize);

    const bool showsZero =
        intPart == "0" && std::ranges::all_of(fracPart, [](char c) { return c == '0'; });
    const std::string_view sign =
        std::signbit(value) && !showsZero ? std::string_view(format.negativeSign) : "";
    const std::string_view point = decimals > 0 ? std::string_view(format.decimalSeparator) : "";
    const std::string_view groupSep = format.groupSeparator;
    const auto first = static_cast<std::size_t>(format.firstGroupSize);
    const auto higher = static_cast<std::size_t>(format.higherGroupSize);
    std::size_t separators = 0;
    if (format.groups() && intPart.size() > first) {
        separators = 1 + (intPart.size() - first - 1) / higher;
    }

    std::string text(sign.size() + intPart.size() + separators * groupSep.size() + point.size() +
                         fracPart.size(),
                     '\0');
    char* out = text.data();
    auto put = [&out](std::string_view part) { out = std::copy(part.begin(), part.end(), out); };
    put(sign);
    if (separators == 0) {
        put(intPart);
    } else {
        // The leading group, then higher groups, each after a separator, then the first group.
        std::size_t taken = intPart.size() - first - (separators - 1) * higher;
        put(intPart.substr(0, taken));
        for (std::size_t k = 1; k < separators; ++k, taken += higher) {
            put(groupSep);
            put(intPart.substr(taken, higher));
        }
        put(groupSep);
        put(intPart.substr(taken));
    }
    put(point);
    put(fracPart);
    return text;
}

}  // namespace numtext
