// The pictures compiled into the program: their Qt resource paths. Nothing is read from disk.
#pragma once

#include <QString>

namespace res {

/// The starfield behind the window's controls (GIF, 510 × 374).
[[nodiscard]] QString starfieldPath();

/// The window icon (ICO: 32 × 32 in 16 and 2 colours, 16 × 16 in 16 colours).
[[nodiscard]] QString iconPath();

}  // namespace res
