#include "window/pictures.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace window {
namespace {

// Reads bytes in order; every read past the end fails instead of reading further.
class ByteReader {
  public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    std::optional<std::uint8_t> byte() {
        if (pos_ >= bytes_.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::optional<int> word() {  // little-endian, 16 bits
        const auto low = byte();
        const auto high = byte();
        if (!low || !high) {
            return std::nullopt;
        }
        return *low | (*high << 8);
    }
    bool skip(qsizetype count) {
        if (count > bytes_.size() - pos_) {
            return false;
        }
        pos_ += count;
        return true;
    }
    // Sub-blocks (a length byte, then that many bytes) up to the empty one; appended to `out`
    // when given.
    bool subBlocks(std::vector<std::uint8_t>* out) {
        while (const auto length = byte()) {
            if (*length == 0) {
                return true;
            }
            if (out) {
                for (int i = 0; i < *length; ++i) {
                    const auto b = byte();
                    if (!b) {
                        return false;
                    }
                    out->push_back(*b);
                }
            } else if (!skip(*length)) {
                return false;
            }
        }
        return false;
    }

  private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

using Palette = std::vector<QRgb>;

std::optional<Palette> readPalette(ByteReader& in, int flags) {
    Palette palette(std::size_t{1} << ((flags & 0x07) + 1));
    for (QRgb& colour : palette) {
        const auto r = in.byte();
        const auto g = in.byte();
        const auto b = in.byte();
        if (!r || !g || !b) {
            return std::nullopt;
        }
        colour = qRgb(*r, *g, *b);
    }
    return palette;
}

// LZW-decodes `data` into `count` colour indices; pixels the data does not reach stay 0.
std::vector<std::uint8_t> decompress(const std::vector<std::uint8_t>& data, int minCodeSize,
                                     std::size_t count) {
    std::vector<std::uint8_t> pixels(count);
    std::size_t written = 0;
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    // Each code stands for a string: its prefix code, its last byte, its first byte and its
    // length, so that it can be written back to front straight into place.
    std::array<std::uint16_t, 4096> prefix{};
    std::array<std::uint8_t, 4096> last{};
    std::array<std::uint8_t, 4096> first{};
    std::array<std::uint16_t, 4096> length{};
    for (int i = 0; i < clear; ++i) {
        const auto code = static_cast<std::size_t>(i);
        last[code] = first[code] = static_cast<std::uint8_t>(i);
        length[code] = 1;
    }
    int codeSize = minCodeSize + 1;
    int next = end + 1;
    int previous = -1;
    std::uint32_t bits = 0;
    int bitCount = 0;

    for (std::uint8_t byte : data) {
        bits |= static_cast<std::uint32_t>(byte) << bitCount;
        bitCount += 8;
        while (bitCount >= codeSize) {
            const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
            bits >>= codeSize;
            bitCount -= codeSize;
            if (code == clear) {
                codeSize = minCodeSize + 1;
                next = end + 1;
                previous = -1;
                continue;
            }
            if (code == end || code > next || (code == next && previous < 0) ||
                (previous < 0 && code > clear)) {
                pixels.resize(count);
                return pixels;  // the end, or a damaged stream
            }
            // A code not yet known (code == next) is the previous string plus its first byte.
            const auto known = static_cast<std::size_t>(code < next ? code : std::max(previous, 0));
            const std::uint8_t head = first[known];
            if (previous >= 0 && next < 4096) {
                const auto added = static_cast<std::size_t>(next);
                const auto before = static_cast<std::size_t>(previous);  // not negative here
                prefix[added] = static_cast<std::uint16_t>(previous);
                last[added] = head;
                first[added] = first[before];
                length[added] = static_cast<std::uint16_t>(length[before] + 1);
                ++next;
                if (next == (1 << codeSize) && codeSize < 12) {
                    ++codeSize;
                }
            }
            // Write the string back to front, cut at the frame's end.
            auto walk = static_cast<std::size_t>(code);
            const std::size_t size = length[walk];
            // Where the frame ends inside the string, its last bytes have no place.
            const std::size_t kept = std::min(size, count - written);
            for (std::size_t k = kept; k < size; ++k) {
                walk = prefix[walk];
            }
            for (std::size_t k = kept; k-- > 0;) {
                pixels[written + k] = last[walk];
                walk = prefix[walk];
            }
            written += size;
            if (written >= count) {
                return pixels;
            }
            previous = code;
        }
    }
    return pixels;
}

// The rows of an interlaced frame come in four passes; gives the row of each stored row.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            order.push_back(y);
        }
        return order;
    }
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < height; y += step) {
            order.push_back(y);
        }
    }
    return order;
}

std::uint32_t le32(QByteArrayView bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

int le16(QByteArrayView bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint8_t byteAt(QByteArrayView bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes[at]);
}

// One icon image: a BITMAPINFOHEADER, a palette for up to 8 bits per pixel, the colour bitmap
// and the 1-bit AND mask, both stored bottom-up with rows padded to four bytes.
QImage decodeIconImage(QByteArrayView dib) {
    if (dib.size() < 40 || le32(dib, 0) < 40 ||
        le32(dib, 0) > static_cast<std::uint32_t>(dib.size())) {
        return {};
    }
    const auto headerSize = static_cast<qsizetype>(le32(dib, 0));
    const auto width = static_cast<std::int32_t>(le32(dib, 4));
    const auto doubledHeight = static_cast<std::int32_t>(le32(dib, 8));  // colour + mask
    const int bits = le16(dib, 14);
    std::uint32_t colours = le32(dib, 32);
    if (le32(dib, 16) != 0 || width <= 0 || width > 256 || doubledHeight <= 1 ||
        doubledHeight > 512 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        return {};  // compressed, or of no size an icon has
    }
    const int height = doubledHeight / 2;
    if (bits <= 8 && (colours == 0 || colours > (1u << bits))) {
        colours = 1u << bits;
    }
    const qsizetype paletteAt = headerSize;
    const qsizetype pixelsAt = paletteAt + (bits <= 8 ? 4 * static_cast<qsizetype>(colours) : 0);
    const qsizetype colourRow = ((static_cast<qsizetype>(width) * bits + 31) / 32) * 4;
    const qsizetype maskRow = ((static_cast<qsizetype>(width) + 31) / 32) * 4;
    const qsizetype maskAt = pixelsAt + colourRow * height;
    if (maskAt + maskRow * height > dib.size()) {
        return {};
    }

    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const qsizetype row = pixelsAt + colourRow * (height - 1 - y);
        const qsizetype mask = maskAt + maskRow * (height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb colour = 0;
            if (bits <= 8) {
                const std::uint8_t byte = byteAt(dib, row + static_cast<qsizetype>(x) * bits / 8);
                const int shift = 8 - bits - (x * bits) % 8;
                const std::uint32_t index = (byte >> shift) & ((1u << bits) - 1);
                const qsizetype entry = paletteAt + 4 * static_cast<qsizetype>(index);
                colour = qRgb(byteAt(dib, entry + 2), byteAt(dib, entry + 1), byteAt(dib, entry));
            } else {
                const qsizetype at = row + static_cast<qsizetype>(x) * (bits / 8);
                colour = qRgba(byteAt(dib, at + 2), byteAt(dib, at + 1), byteAt(dib, at),
                               bits == 32 ? byteAt(dib, at + 3) : 255);
            }
            const bool clear = (byteAt(dib, mask + x / 8) >> (7 - x % 8)) & 1;
            out[x] = clear ? qRgba(0, 0, 0, 0) : colour;
        }
    }
    return image;
}

}  // namespace

QList<QImage> decodeIco(QByteArrayView ico) {
    QList<QImage> images;
    if (ico.size() < 6 || le16(ico, 0) != 0 || le16(ico, 2) != 1) {
        return images;
    }
    const int count = le16(ico, 4);
    for (int i = 0; i < count && 6 + 16 * static_cast<qsizetype>(i + 1) <= ico.size(); ++i) {
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        const std::uint64_t size = le32(ico, entry + 8);
        const std::uint64_t offset = le32(ico, entry + 12);
        const auto total = static_cast<std::uint64_t>(ico.size());
        if (offset >= total || size > total - offset) {
            continue;
        }
        const QImage image = decodeIconImage(
            ico.sliced(static_cast<qsizetype>(offset), static_cast<qsizetype>(size)));
        if (!image.isNull()) {
            images.append(image);
        }
    }
    return images;
}

QImage decodeGif(QByteArrayView gif) {
    if (!gif.startsWith("GIF87a") && !gif.startsWith("GIF89a")) {
        return {};
    }
    ByteReader in(gif);
    in.skip(6);
    const auto width = in.word();
    const auto height = in.word();
    const auto flags = in.byte();
    if (!width || !height || !flags || !in.skip(2) || *width == 0 || *height == 0) {
        return {};
    }
    Palette global;
    if (*flags & 0x80) {
        auto palette = readPalette(in, *flags);
        if (!palette) {
            return {};
        }
        global = std::move(*palette);
    }

    int transparent = -1;
    while (const auto block = in.byte()) {
        if (*block == 0x21) {  // extension: a graphic control one may name a transparent colour
            const auto label = in.byte();
            if (!label) {
                return {};
            }
            if (*label == 0xF9) {
                std::vector<std::uint8_t> control;
                if (!in.subBlocks(&control)) {
                    return {};
                }
                if (control.size() >= 4 && (control[0] & 0x01)) {
                    transparent = control[3];
                }
            } else if (!in.subBlocks(nullptr)) {
                return {};
            }
            continue;
        }
        if (*block != 0x2C) {
            return {};  // the trailer, or something that is no GIF block, before any frame
        }
        const auto left = in.word();
        const auto top = in.word();
        const auto frameWidth = in.word();
        const auto frameHeight = in.word();
        const auto frameFlags = in.byte();
        if (!left || !top || !frameWidth || !frameHeight || !frameFlags) {
            return {};
        }
        Palette palette = global;
        if (*frameFlags & 0x80) {
            auto local = readPalette(in, *frameFlags);
            if (!local) {
                return {};
            }
            palette = std::move(*local);
        }
        const auto minCodeSize = in.byte();
        std::vector<std::uint8_t> data;
        if (!minCodeSize || *minCodeSize < 2 || *minCodeSize > 11 || !in.subBlocks(&data)) {
            return {};
        }
        const auto count =
            static_cast<std::size_t>(*frameWidth) * static_cast<std::size_t>(*frameHeight);
        const std::vector<std::uint8_t> pixels = decompress(data, *minCodeSize, count);

        const bool opaque = transparent < 0 && *left == 0 && *top == 0 && *frameWidth >= *width &&
                            *frameHeight >= *height;
        QImage image(*width, *height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        image.fill(opaque ? QColor(Qt::black) : QColor(Qt::transparent));
        // Every index has a colour: those beyond the palette show black.
        std::array<QRgb, 256> colours{};
        colours.fill(qRgb(0, 0, 0));
        std::copy_n(palette.begin(), std::min<std::size_t>(palette.size(), 256), colours.begin());
        const std::vector<int> rows = rowOrder(*frameHeight, (*frameFlags & 0x40) != 0);
        const int columns = std::min(*frameWidth, *width - *left);
        for (int row = 0; row < *frameHeight; ++row) {
            const int y = *top + rows[static_cast<std::size_t>(row)];
            if (y >= *height || columns <= 0) {
                continue;
            }
            const std::uint8_t* indices = pixels.data() + static_cast<std::size_t>(row) *
                                                              static_cast<std::size_t>(*frameWidth);
            QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y)) + *left;
            if (opaque) {
                for (int x = 0; x < columns; ++x) {
                    out[x] = colours[indices[x]];
                }
                continue;
            }
            for (int x = 0; x < columns; ++x) {
                const std::uint8_t index = indices[x];
                if (index != transparent && index < palette.size()) {
                    out[x] = palette[index];
                }
            }
        }
        return image;
    }
    return {};
}

}  // namespace window
