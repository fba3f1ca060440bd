// The fonts of the calculator window, sized for 96 dots per inch in device-independent pixels.
#pragma once

#include <QFont>
#include <QStringList>

namespace window {

/// The window's face: "MS Sans Serif", or the first installed stand-in of kFontFamilies.
class WindowFonts {
  public:
    /// Looks up once which faces of kFontFamilies are installed. Naming only those spares Qt
    /// a search of the system's whole font configuration for each missing one.
    WindowFonts();

    /// The face at `sizeTwips` (points × 20), turned into a pixel size by pixelsFromTwips.
    /// Pixel sizes keep every text in proportion to the twips layout on any platform, whatever
    /// its logical dots per inch (72 on macOS); Qt scales them with the layout for high-density
    /// displays.
    [[nodiscard]] QFont font(int sizeTwips, bool bold) const;

  private:
    QStringList families_;
};

}  // namespace window
