// Makes the program's picture files byte for byte the same on every run: the starfield
// (starfield.gif), the window icon (warp-rechner.ico) and the desktop icons
// (warp-rechner-16.png, warp-rechner-32.png). Writes them into the folder it is given.
// Standard C++ only; the formats are written by hand so that no library version can change
// a byte.
//
//     make_resources <output folder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r, g, b;
};

void put8(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
}

void putLe16(Bytes& out, unsigned value) {
    put8(out, value);
    put8(out, value >> 8);
}

void putLe32(Bytes& out, std::uint32_t value) {
    putLe16(out, value & 0xFFFFu);
    putLe16(out, value >> 16);
}

void putBe32(Bytes& out, std::uint32_t value) {
    put8(out, value >> 24);
    put8(out, value >> 16);
    put8(out, value >> 8);
    put8(out, value);
}

// --- The starfield -------------------------------------------------------------------------

constexpr int kStarWidth = 510;
constexpr int kStarHeight = 374;
constexpr int kPaletteSize = 128;

// Index 0 is the black sky, 1..31 a ramp of greys up to white, and 32..127 six star tints
// in sixteen brightness steps each.
std::array<Rgb, kPaletteSize> starPalette() {
    std::array<Rgb, kPaletteSize> palette{};
    palette[0] = {0, 0, 0};
    for (int i = 1; i < 32; ++i) {
        const auto v = static_cast<std::uint8_t>(40 + (i - 1) * 215 / 30);
        palette[static_cast<std::size_t>(i)] = {v, v, v};
    }
    constexpr std::array<Rgb, 6> tints{{
        {170, 190, 255},  // blue-white
        {120, 150, 255},  // blue
        {255, 240, 150},  // yellow
        {255, 180, 100},  // orange
        {255, 110, 90},   // red
        {150, 255, 255},  // cyan
    }};
    for (std::size_t t = 0; t < tints.size(); ++t) {
        for (unsigned step = 0; step < 16; ++step) {
            const auto scale = [step](std::uint8_t c) {
                return static_cast<std::uint8_t>(c * (step + 1) / 16);
            };
            palette[32 + t * 16 + step] = {scale(tints[t].r), scale(tints[t].g), scale(tints[t].b)};
        }
    }
    return palette;
}

// xorshift32: the same stars on every machine and every run.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }

  private:
    std::uint32_t state_;
};

std::vector<std::uint8_t> starPixels() {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kStarWidth * kStarHeight), 0);
    const auto set = [&pixels](int x, int y, int index) {
        if (x >= 0 && x < kStarWidth && y >= 0 && y < kStarHeight) {
            pixels[static_cast<std::size_t>(y * kStarWidth + x)] = static_cast<std::uint8_t>(index);
        }
    };
    Random random(0x57415250u);
    constexpr int kStars = 420;
    for (int star = 0; star < kStars; ++star) {
        const int x = random.below(kStarWidth);
        const int y = random.below(kStarHeight);
        // Most stars are faint; a few are bright.
        const int brightness = 5 + std::min(random.below(11), random.below(11));  // 5..15
        const bool coloured = random.below(4) == 0;
        const int tint = random.below(6);
        const auto shade = [&](int level) {
            return coloured ? 32 + tint * 16 + level : 1 + level * 2;
        };
        set(x, y, shade(brightness));
        if (random.below(16) == 0) {  // a bright star with four dimmer rays
            set(x, y, shade(15));
            const int ray = shade(7);
            set(x - 1, y, ray);
            set(x + 1, y, ray);
            set(x, y - 1, ray);
            set(x, y + 1, ray);
        }
    }
    return pixels;
}

// Variable-length-code LZW as GIF wants it, emitted in 255-byte sub-blocks.
Bytes gifLzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    unsigned codeSize = static_cast<unsigned>(minCodeSize) + 1;
    unsigned nextCode = endCode + 1;
    std::unordered_map<std::uint32_t, unsigned> table;

    Bytes packed;
    std::uint32_t bitBuffer = 0;
    unsigned bitCount = 0;
    const auto emit = [&](unsigned code) {
        bitBuffer |= code << bitCount;
        bitCount += codeSize;
        while (bitCount >= 8) {
            put8(packed, bitBuffer);
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };

    emit(clearCode);
    unsigned prefix = pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | pixels[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        emit(prefix);
        table.emplace(key, nextCode);
        // The decoder learns each code one step later, so the width grows once the code just
        // added no longer fits.
        if (nextCode == (1u << codeSize) && codeSize < 12) {
            ++codeSize;
        }
        ++nextCode;
        if (nextCode == 4096) {
            emit(clearCode);
            table.clear();
            codeSize = static_cast<unsigned>(minCodeSize) + 1;
            nextCode = endCode + 1;
        }
        prefix = pixels[i];
    }
    emit(prefix);
    emit(endCode);
    if (bitCount > 0) {
        put8(packed, bitBuffer);
    }

    Bytes blocks;
    put8(blocks, static_cast<unsigned>(minCodeSize));
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, packed.size() - at);
        put8(blocks, static_cast<unsigned>(length));
        blocks.insert(blocks.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                      packed.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    put8(blocks, 0);  // block terminator
    return blocks;
}

Bytes starfieldGif() {
    Bytes gif;
    for (const char c : std::string("GIF89a")) {
        put8(gif, static_cast<unsigned char>(c));
    }
    putLe16(gif, kStarWidth);
    putLe16(gif, kStarHeight);
    // Global colour table present, 7 bits of colour resolution, unsorted, 2^(6+1) = 128 entries.
    put8(gif, 0x80u | (6u << 4) | 6u);
    put8(gif, 0);  // background colour: black
    put8(gif, 0);  // no aspect ratio
    for (const Rgb& c : starPalette()) {
        put8(gif, c.r);
        put8(gif, c.g);
        put8(gif, c.b);
    }
    // One image over the whole screen: no local colour table, not interlaced. There is no
    // graphic control extension, so no colour is transparent.
    put8(gif, 0x2C);
    putLe16(gif, 0);
    putLe16(gif, 0);
    putLe16(gif, kStarWidth);
    putLe16(gif, kStarHeight);
    put8(gif, 0);
    const Bytes data = gifLzw(starPixels(), 7);
    gif.insert(gif.end(), data.begin(), data.end());
    put8(gif, 0x3B);  // trailer
    return gif;
}

// --- The icon ----------------------------------------------------------------------------

// The sixteen standard colours of 4-bit bitmaps; the icons use black, cyan and white.
constexpr std::array<Rgb, 16> kVgaPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};
constexpr int kBlack = 0;
constexpr int kCyan = 14;
constexpr int kWhite = 15;
constexpr int kClear = -1;

// An icon picture: a palette index per pixel, or kClear where the desktop shows through.
struct Picture {
    int size;
    std::vector<int> pixels;
    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

// A white window with a black frame and a cyan title bar holding a small white close box.
// `titleColour` lets the two-colour picture draw the bar black.
Picture windowPicture(int size, int titleColour) {
    const bool large = size == 32;
    const int left = large ? 1 : 0;
    const int right = large ? 30 : 15;
    const int top = large ? 3 : 1;
    const int bottom = large ? 28 : 14;
    const int titleBottom = large ? 8 : 4;  // last row of the title bar
    Picture picture{size, std::vector<int>(static_cast<std::size_t>(size * size), kClear)};
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            int colour = kWhite;
            if (x == left || x == right || y == top || y == bottom || y == titleBottom + 1) {
                colour = kBlack;
            } else if (y <= titleBottom) {
                const bool closeBox = large ? (x >= right - 5 && x <= right - 2 && y >= top + 2 &&
                                               y <= titleBottom - 1)
                                            : (x >= right - 3 && x <= right - 2 && y == top + 2);
                colour = closeBox ? kWhite : titleColour;
            }
            picture.pixels[static_cast<std::size_t>(y * size + x)] = colour;
        }
    }
    return picture;
}

constexpr int rowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// One icon image as it sits in an .ico file: BITMAPINFOHEADER, palette, XOR bitmap and AND
// mask, both bottom-up. In the two-colour image, palette entry 1 is white.
Bytes iconImage(const Picture& picture, int bitsPerPixel) {
    const int size = picture.size;
    const int xorRow = rowBytes(size, bitsPerPixel);
    const int andRow = rowBytes(size, 1);
    Bytes out;
    putLe32(out, 40);
    putLe32(out, static_cast<std::uint32_t>(size));
    putLe32(out, static_cast<std::uint32_t>(size * 2));  // XOR and AND bitmaps together
    putLe16(out, 1);
    putLe16(out, static_cast<unsigned>(bitsPerPixel));
    putLe32(out, 0);  // BI_RGB
    putLe32(out, static_cast<std::uint32_t>((xorRow + andRow) * size));
    putLe32(out, 0);
    putLe32(out, 0);
    putLe32(out, 0);
    putLe32(out, 0);
    const std::vector<Rgb> palette =
        bitsPerPixel == 4 ? std::vector<Rgb>(kVgaPalette.begin(), kVgaPalette.end())
                          : std::vector<Rgb>{kVgaPalette[kBlack], kVgaPalette[kWhite]};
    for (const Rgb& c : palette) {
        put8(out, c.b);
        put8(out, c.g);
        put8(out, c.r);
        put8(out, 0);
    }
    const auto index = [bitsPerPixel](int colour) {
        if (colour == kClear) {
            return 0;
        }
        return bitsPerPixel == 4 ? colour : (colour == kWhite ? 1 : 0);
    };
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(xorRow), 0);
        for (int x = 0; x < size; ++x) {
            const int bitOffset = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bitOffset % 8;
            row[static_cast<std::size_t>(bitOffset / 8)] |=
                static_cast<std::uint8_t>(index(picture.at(x, y)) << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(andRow), 0);
        for (int x = 0; x < size; ++x) {
            if (picture.at(x, y) == kClear) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes iconFile() {
    struct Entry {
        Picture picture;
        int bitsPerPixel;
    };
    const std::array<Entry, 3> entries{{
        {windowPicture(32, kCyan), 4},
        {windowPicture(32, kBlack), 1},
        {windowPicture(16, kCyan), 4},
    }};
    Bytes out;
    putLe16(out, 0);  // reserved
    putLe16(out, 1);  // icon
    putLe16(out, static_cast<unsigned>(entries.size()));
    std::vector<Bytes> images;
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const Entry& entry : entries) {
        images.push_back(iconImage(entry.picture, entry.bitsPerPixel));
        put8(out, static_cast<unsigned>(entry.picture.size));
        put8(out, static_cast<unsigned>(entry.picture.size));
        put8(out, 1u << entry.bitsPerPixel);  // colours in the palette
        put8(out, 0);
        putLe16(out, 1);  // planes
        putLe16(out, static_cast<unsigned>(entry.bitsPerPixel));
        putLe32(out, static_cast<std::uint32_t>(images.back().size()));
        putLe32(out, offset);
        offset += static_cast<std::uint32_t>(images.back().size());
    }
    for (const Bytes& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

// --- PNG, with stored (uncompressed) deflate blocks -----------------------------------------

std::uint32_t crc32(const Bytes& data, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putChunk(Bytes& png, const char* type, const Bytes& body) {
    putBe32(png, static_cast<std::uint32_t>(body.size()));
    Bytes chunk;
    for (int i = 0; i < 4; ++i) {
        put8(chunk, static_cast<unsigned char>(type[i]));
    }
    chunk.insert(chunk.end(), body.begin(), body.end());
    png.insert(png.end(), chunk.begin(), chunk.end());
    putBe32(png, crc32(chunk, 0));
}

Bytes pngFile(const Picture& picture) {
    const int size = picture.size;
    Bytes raw;  // filter byte 0, then RGBA per pixel
    for (int y = 0; y < size; ++y) {
        put8(raw, 0);
        for (int x = 0; x < size; ++x) {
            const int colour = picture.at(x, y);
            const Rgb c =
                colour == kClear ? Rgb{0, 0, 0} : kVgaPalette[static_cast<std::size_t>(colour)];
            put8(raw, c.r);
            put8(raw, c.g);
            put8(raw, c.b);
            put8(raw, colour == kClear ? 0 : 255);
        }
    }
    Bytes zlib{0x78, 0x01};
    for (std::size_t at = 0; at < raw.size(); at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        put8(zlib, at + length == raw.size() ? 1 : 0);  // final block?; stored
        putLe16(zlib, static_cast<unsigned>(length));
        putLe16(zlib, static_cast<unsigned>(~length & 0xFFFFu));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    putBe32(zlib, (b << 16) | a);

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBe32(header, static_cast<std::uint32_t>(size));
    putBe32(header, static_cast<std::uint32_t>(size));
    for (const unsigned v : {8u, 6u, 0u, 0u, 0u}) {  // 8-bit RGBA, deflate, no interlace
        put8(header, v);
    }
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    return png;
}

bool writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "make_resources: cannot write " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_resources <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const bool written =
        writeFile(folder / "starfield.gif", starfieldGif()) &&
        writeFile(folder / "warp-rechner.ico", iconFile()) &&
        writeFile(folder / "warp-rechner-16.png", pngFile(windowPicture(16, kCyan))) &&
        writeFile(folder / "warp-rechner-32.png", pngFile(windowPicture(32, kCyan)));
    return written ? 0 : 1;
}
