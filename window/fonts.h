// The fonts of the calculator window, sized for 96 dots per inch in device-independent pixels.
#pragma once

#include <QFont>

namespace window {

/// The window's face ("MS Sans Serif", or the first installed stand-in of kFontFamilies) at
/// `sizeTwips` (points × 20), turned into a pixel size by pixelsFromTwips. Pixel sizes keep
/// every text in proportion to the twips layout on any platform, whatever its logical dots
/// per inch (72 on macOS); Qt scales them with the layout for high-density displays.
[[nodiscard]] QFont windowFont(int sizeTwips, bool bold);

}  // namespace window
