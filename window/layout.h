// The calculator window's layout as data: one row per control in twips, the fonts and the
// colours. Pixels come from pixelsFromTwips only. No widgets are made here.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace window {

/// Twips (1440 per inch) to device-independent pixels: 15 twips make one pixel at 96 dots
/// per inch, rounded to the nearest pixel. Qt scales these pixels for other displays.
[[nodiscard]] constexpr int pixelsFromTwips(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

/// Twips in one typographic point.
inline constexpr int kTwipsPerPoint = 20;

enum class ControlKind { Label, TextBox, CommandButton };

enum class TextAlign { Left, Right };

/// One control of the window, as placed in twips from the client area's top-left corner.
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view text;  ///< UTF-8; "&" marks a button's access key
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    TextAlign align;  ///< labels only; text boxes are always left-aligned
};

/// The line between inputs and results, from (x1, y1) to (x2, y2) in twips.
struct LineRow {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

/// The window's own properties.
inline constexpr std::string_view kFormName = "frmWarp";
inline constexpr std::string_view kCaption = "Warp - Rechner";
inline constexpr int kClientWidthTwips = 7470;
inline constexpr int kClientHeightTwips = 4785;

/// Every control, top to bottom.
inline constexpr std::array<ControlRow, 20> kControls{{
    {"lblTitel", ControlKind::Label, "Warp Berechnung", 1920, 120, 3255, 495, 0, TextAlign::Left},
    {"lblAnleitung", ControlKind::Label,
     "Bitte den Warpfaktor und die Entfernung in Lichtjahren eingeben.", 240, 600, 6855, 375, 1,
     TextAlign::Left},
    {"lblWarp", ControlKind::Label, "Warp-Faktor:", 3360, 1040, 1575, 255, 10, TextAlign::Right},
    {"txtWarp", ControlKind::TextBox, "", 5300, 1040, 2000, 300, 2, TextAlign::Left},
    {"lblEntfernung", ControlKind::Label, "Entfernung in Lichtjahren:", 2160, 1440, 2775, 255, 12,
     TextAlign::Right},
    {"txtEntfernung", ControlKind::TextBox, "", 5300, 1440, 2000, 300, 4, TextAlign::Left},
    {"cmdRechnen", ControlKind::CommandButton, "&Berechnen", 120, 2040, 1455, 375, 18,
     TextAlign::Left},
    {"Label2", ControlKind::Label, "x-fache Lichtgeschwindigkeit:", 1680, 2090, 3255, 300, 11,
     TextAlign::Right},
    {"txtSpeed", ControlKind::TextBox, "", 5300, 2090, 2000, 300, 3, TextAlign::Left},
    {"cmdEnde", ControlKind::CommandButton, "&Ende", 120, 2520, 1455, 375, 19, TextAlign::Left},
    {"lblJahre", ControlKind::Label, "Reisezeit in :    Jahren:", 2400, 2490, 2535, 300, 13,
     TextAlign::Right},
    {"txtJahre", ControlKind::TextBox, "", 5300, 2490, 2000, 300, 5, TextAlign::Left},
    {"lblTagen", ControlKind::Label, "Tagen:", 3960, 2895, 975, 300, 14, TextAlign::Right},
    {"txtTage", ControlKind::TextBox, "", 5300, 2890, 2000, 300, 6, TextAlign::Left},
    {"lblStunden", ControlKind::Label, "Stunden:", 3840, 3285, 1095, 300, 15, TextAlign::Right},
    {"txtStunden", ControlKind::TextBox, "", 5300, 3290, 2000, 300, 7, TextAlign::Left},
    {"lblMinuten", ControlKind::Label, "Minuten:", 3960, 3690, 975, 300, 16, TextAlign::Right},
    {"txtMinuten", ControlKind::TextBox, "", 5300, 3690, 2000, 300, 8, TextAlign::Left},
    {"lblSekunden", ControlKind::Label, "Sekunden:", 3720, 4095, 1215, 300, 17, TextAlign::Right},
    {"txtSekunden", ControlKind::TextBox, "", 5300, 4090, 2000, 300, 9, TextAlign::Left},
}};

inline constexpr LineRow kLine{"Line1", 120, 1935, 7320, 1935};

/// Which label names which text box: the label's text is the box's accessible name.
struct FieldCaption {
    std::string_view textBox;
    std::string_view label;
};
inline constexpr std::array<FieldCaption, 8> kFieldCaptions{{
    {"txtWarp", "lblWarp"},
    {"txtEntfernung", "lblEntfernung"},
    {"txtSpeed", "Label2"},
    {"txtJahre", "lblJahre"},
    {"txtTage", "lblTagen"},
    {"txtStunden", "lblStunden"},
    {"txtMinuten", "lblMinuten"},
    {"txtSekunden", "lblSekunden"},
}};

/// The row of the control called `name`, if there is one.
[[nodiscard]] constexpr std::optional<ControlRow> findControl(std::string_view name) {
    for (const ControlRow& row : kControls) {
        if (row.name == name) {
            return row;
        }
    }
    return std::nullopt;
}

/// Fonts. "MS Sans Serif" comes first; where a system lacks it, the next family of the list
/// that is installed stands in (Liberation Sans keeps its widths close on Linux).
inline constexpr std::array<std::string_view, 6> kFontFamilies{
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial", "Helvetica"};

/// Font sizes in twips (points × 20), so that they turn into pixels like everything else:
/// 9.75 pt is 13 px and 18 pt is 24 px at 96 dots per inch.
inline constexpr int kLabelFontTwips = 195;    // 9.75 pt, bold
inline constexpr int kTitleFontTwips = 360;    // 18 pt, bold (lblTitel)
inline constexpr int kButtonFontTwips = 195;   // 9.75 pt, regular
inline constexpr int kTextBoxFontTwips = 160;  // 8 pt, regular: the window's default font
inline constexpr std::string_view kTitleLabel = "lblTitel";

/// Colours as 0xRRGGBB.
inline constexpr unsigned kLabelBackground = 0x000000;
inline constexpr unsigned kLabelText = 0x00FF00;
inline constexpr unsigned kLineColour = 0x00FF00;
inline constexpr std::string_view kWhiteFieldBox = "txtSpeed";  // white background
inline constexpr unsigned kWhiteField = 0xFFFFFF;
inline constexpr std::string_view kBlackTextBox = "txtWarp";  // black text
inline constexpr unsigned kBlackText = 0x000000;

}  // namespace window
