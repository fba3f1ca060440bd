// Reads the two kinds of picture the window shows, the starfield GIF and the icon file,
// without Qt's image plugins: asking Qt to read any picture loads every plugin library it has,
// which would cost the window's start-up more than the reading itself.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>

namespace window {

/// The first frame of `gif` (GIF87a or GIF89a, interlaced or not) on a canvas of the logical
/// screen's size: RGB32 when the frame covers the canvas and has no transparent colour,
/// otherwise ARGB32 with the uncovered and transparent pixels transparent. Pixels that damaged
/// pixel data does not reach stay black or transparent. A null QImage when `gif` is no GIF or
/// ends before the end of its first frame.
[[nodiscard]] QImage decodeGif(QByteArrayView gif);

/// The images of the icon file `ico` whose bitmaps are uncompressed with 1, 4, 8, 24 or 32
/// bits per pixel, in ARGB32 with the AND mask's pixels transparent. Images of any other kind
/// (PNG-compressed ones, for instance) and damaged ones are left out.
[[nodiscard]] QList<QImage> decodeIco(QByteArrayView ico);

}  // namespace window
