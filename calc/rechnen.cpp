#include "calc/rechnen.h"

#include <string>

#include "numtext/float_check.h"
#include "numtext/number_text.h"

namespace calc {

using numtext::checked;
using numtext::rtcFormatNumber;
using numtext::rtcIsNumeric;
using numtext::vbaPowerR8;
using numtext::vbaR8Str;

namespace {

constexpr double kLowestWarp = 0.07;
constexpr double kHighestWarp = 9.9999999999;
constexpr int kDecimals = 4;

}  // namespace

double WarpSpeed(double w) {
    // Both laws raise w to 10/3; the exponent is the quotient itself, not a rounded literal.
    const double ten = 10;
    const double exponent = checked(ten / 3);
    if (w < 9) {
        return vbaPowerR8(w, exponent);
    }
    // Above warp 9 the speed grows without bound towards warp 10.
    const double a = vbaPowerR8(w, exponent);
    const double b = vbaPowerR8(checked(ten - w), 0.27);
    const double e = checked(91.28 / b);
    const double c = vbaPowerR8(checked(w / ten), e);
    return checked(a / checked(1 - c));
}

double Reisezeit(double distance, double speed, std::optional<double> factor) {
    const double quotient = checked(distance / speed);
    return factor ? checked(quotient * *factor) : quotient;
}

void Rechnen(FieldStore& fields, MessageSink& message, const numtext::NumberFormat& format) {
    const std::string warp = fields.text("txtWarp");
    if (!rtcIsNumeric(warp, format) || vbaR8Str(warp, format) < kLowestWarp ||
        vbaR8Str(warp, format) > kHighestWarp) {
        message.show(std::string(kRejectionMessage));
        return;
    }
    fields.setText("txtSpeed",
                   rtcFormatNumber(WarpSpeed(vbaR8Str(warp, format)), kDecimals, format));

    if (!rtcIsNumeric(fields.text("txtEntfernung"), format)) {
        for (const TravelTimeRow& row : kTravelTimes) {
            fields.setText(row.field, "");
        }
        return;
    }
    // Every travel time is computed from the speed as shown, read back from its field, so
    // that what the user sees agrees with itself.
    for (const TravelTimeRow& row : kTravelTimes) {
        const double distance = vbaR8Str(fields.text("txtEntfernung"), format);
        const double speed = vbaR8Str(fields.text("txtSpeed"), format);
        std::string shown;
        try {
            shown = rtcFormatNumber(Reisezeit(distance, speed, row.factor), kDecimals, format);
        } catch (const numtext::FloatingPointError&) {
            shown = kOverflowText;
        }
        fields.setText(row.field, shown);
    }
}

}  // namespace calc
