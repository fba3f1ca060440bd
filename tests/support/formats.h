// Regional number formats written out as values, for the tests. Each mirrors what a real
// region's settings give, except kMadeUp, whose separators no region uses, so that a swapped
// or hard-coded separator cannot pass by accident.
#pragma once

#include <array>
#include <string_view>

#include "numtext/number_format.h"

namespace testformats {

using numtext::NumberFormat;

inline const NumberFormat kGerman{",", ".", 3, 3, "-"};
inline const NumberFormat kUsEnglish{".", ",", 3, 3, "-"};
inline const NumberFormat kIndianEnglish{".", ",", 3, 2, "-"};
inline const NumberFormat kFrench{",", "\u202F", 3, 3, "-"};
inline const NumberFormat kSwissGerman{".", "\u2019", 3, 3, "-"};
inline const NumberFormat kSwedish{",", "\u00A0", 3, 3, "\u2212"};
inline const NumberFormat kUngrouped{".", "", 0, 0, "-"};
inline const NumberFormat kMadeUp{"?", "~~", 2, 4, "\u2796"};

struct NamedFormat {
    std::string_view name;
    const NumberFormat* format;
};

inline const std::array<NamedFormat, 8> kAll{{
    {"German", &kGerman},
    {"UsEnglish", &kUsEnglish},
    {"IndianEnglish", &kIndianEnglish},
    {"French", &kFrench},
    {"SwissGerman", &kSwissGerman},
    {"Swedish", &kSwedish},
    {"Ungrouped", &kUngrouped},
    {"MadeUp", &kMadeUp},
}};

}  // namespace testformats
