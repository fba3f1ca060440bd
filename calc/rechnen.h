// The calculation run: from the warp factor and distance fields to the speed and travel-time
// fields, or to the one rejection message. Works on field texts only; knows no window.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "calc/fields.h"
#include "numtext/number_format.h"

namespace calc {

/// The one message for every refused warp factor (its numbers are always written with
/// decimal commas).
inline constexpr std::string_view kRejectionMessage =
    "Ungültiger Warpfaktor - Bitte gebe eine Zahl zwischen 0,07 und 9,9999999999 ein.";

/// Written into a travel-time field whose value lies beyond the range of a double.
inline constexpr std::string_view kOverflowText = "Überlauf";

/// One row of the travel-time table: the field and the factor applied to distance ÷ speed
/// (none for years).
struct TravelTimeRow {
    std::string_view field;
    std::optional<double> factor;
};

/// The travel times, in the order they are filled. A year counts 365.26 days.
inline constexpr std::array<TravelTimeRow, 5> kTravelTimes{{
    {"txtJahre", std::nullopt},
    {"txtTage", 365.26},
    {"txtStunden", 8766.24},
    {"txtMinuten", 525974.4},
    {"txtSekunden", 31558464.0},
}};

/// The speed, as a multiple of the speed of light, for an accepted warp factor
/// 0.07 <= w <= 9.9999999999.
[[nodiscard]] double WarpSpeed(double w);

/// distance ÷ speed, multiplied by `factor` when there is one: the division first.
/// @throws numtext::FloatingPointError when the quotient or the product is not finite.
[[nodiscard]] double Reisezeit(double distance, double speed, std::optional<double> factor);

/// One calculation run, the whole of what "Berechnen" does. Refuses a warp factor that is not
/// a number or lies outside 0.07..9.9999999999 with kRejectionMessage and changes no field;
/// otherwise writes the speed into txtSpeed and then the five travel times, computed from the
/// speed as shown, or empties them when the distance is not a number. A travel time beyond
/// the range of a double is written as kOverflowText. `format` must be unambiguous
/// (NumberFormat::unambiguous) so that the speed reads back from its field.
void Rechnen(FieldStore& fields, MessageSink& message, const numtext::NumberFormat& format);

}  // namespace calc
