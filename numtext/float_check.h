// Powers and the floating-point check of the calculation.
#pragma once

#include <cmath>
#include <stdexcept>

namespace numtext {

/// A floating-point step gave a result beyond the range of a double (or no number at all).
class FloatingPointError : public std::overflow_error {
  public:
    FloatingPointError() : std::overflow_error("Überlauf") {}
};

/// `base` raised to `exponent`.
[[nodiscard]] inline double vbaPowerR8(double base, double exponent) {
    return std::pow(base, exponent);
}

/// Reports a floating-point step that overflowed, divided by zero or had no valid result.
/// @throws FloatingPointError always.
[[noreturn]] void vbaFPException();

/// `result` itself when it is finite; otherwise reports it through vbaFPException. The
/// calculation passes every quotient, difference and product through this.
inline double checked(double result) {
    if (!std::isfinite(result)) {
        vbaFPException();
    }
    return result;
}

}  // namespace numtext
