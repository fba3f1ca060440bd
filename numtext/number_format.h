// The regional number format as a plain value. It is handed to every operation that reads or
// writes a number text; nothing in this library reads the process locale or the environment.
#pragma once

#include <string>

namespace numtext {

/// How numbers are written in one region. Separators and the negative sign are UTF-8 texts
/// of any length (U+00A0, U+202F, U+2019 and U+2212 occur in real regional settings).
struct NumberFormat {
    std::string decimalSeparator = ".";
    /// Empty, or a group size of 0, means the region does not group digits.
    std::string groupSeparator;
    /// Digits in the group next to the decimal separator (3 almost everywhere).
    int firstGroupSize = 0;
    /// Digits in each group above the first (2 in India, 3 elsewhere).
    int higherGroupSize = 0;
    std::string negativeSign = "-";

    [[nodiscard]] bool groups() const {
        return !groupSeparator.empty() && firstGroupSize > 0 && higherGroupSize > 0;
    }

    /// True when the separators cannot be confused with digits, signs, exponents or one
    /// another, so that every formatted number reads back as the same value. Formats read
    /// from the platform always are; made-up ones in tests and the fuzzer may not be.
    [[nodiscard]] bool unambiguous() const;

    bool operator==(const NumberFormat&) const = default;
};

}  // namespace numtext
