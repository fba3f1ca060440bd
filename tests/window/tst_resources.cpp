// The pictures compiled into the program, read from their bytes: the starfield GIF and the
// icon file, and the desktop PNGs against the icon.

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include "res/resources.h"
#include "window/pictures.h"

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot open %s", qPrintable(path));
    }
    return file.readAll();
}

int le16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}

qint64 le32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<qint32>(data.constData() + at);
}

int byteAt(const QByteArray& data, qsizetype at) {
    return static_cast<unsigned char>(data.at(at));
}

// The index just past a chain of GIF data sub-blocks starting at `at`.
qsizetype skipSubBlocks(const QByteArray& data, qsizetype at) {
    while (byteAt(data, at) != 0) {
        at += 1 + byteAt(data, at);
    }
    return at + 1;
}

}  // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

  private slots:
    void starfieldStructure();
    void starfieldPicture();
    void ownGifDecoderGivesThePicture_data();
    void ownGifDecoderGivesThePicture();
    void ownGifDecoderSurvivesDamage();
    void ownIconDecoderMatchesQt();
    void iconStructure_data();
    void iconStructure();
    void iconPictures_data();
    void iconPictures();
};

void ResourcesTest::starfieldStructure() {
    const QByteArray gif = bytesOf(res::starfieldPath());
    QVERIFY2(gif.size() < 8 * 1024, "a few kilobytes");
    QCOMPARE(gif.left(6), QByteArray("GIF89a"));
    QCOMPARE(le16(gif, 6), 510);
    QCOMPARE(le16(gif, 8), 374);
    const int packed = byteAt(gif, 10);
    QVERIFY2(packed & 0x80, "a global colour table");
    QCOMPARE(2 << (packed & 0x07), 128);

    qsizetype at = 13 + 128 * 3;
    int images = 0;
    while (byteAt(gif, at) != 0x3B) {
        const int introducer = byteAt(gif, at);
        if (introducer == 0x21) {
            const int label = byteAt(gif, at + 1);
            if (label == 0xF9) {
                QVERIFY2(!(byteAt(gif, at + 3) & 0x01), "no transparent colour");
            }
            at = skipSubBlocks(gif, at + 2);
        } else {
            QCOMPARE(introducer, 0x2C);
            ++images;
            QCOMPARE(le16(gif, at + 1), 0);
            QCOMPARE(le16(gif, at + 3), 0);
            QCOMPARE(le16(gif, at + 5), 510);
            QCOMPARE(le16(gif, at + 7), 374);
            const int flags = byteAt(gif, at + 9);
            QVERIFY2(!(flags & 0x80), "no local colour table");
            QVERIFY2(!(flags & 0x40), "not interlaced");
            QCOMPARE(byteAt(gif, at + 10), 7);  // LZW code size for 128 colours
            at = skipSubBlocks(gif, at + 11);
        }
        QVERIFY(at < gif.size());
    }
    QCOMPARE(images, 1);
    QCOMPARE(at, gif.size() - 1);  // the trailer ends the file
}

void ResourcesTest::starfieldPicture() {
    const QImage stars = QImage(res::starfieldPath()).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(stars.size(), QSize(510, 374));
    int lit = 0;
    int coloured = 0;
    int white = 0;
    for (int y = 0; y < stars.height(); ++y) {
        for (int x = 0; x < stars.width(); ++x) {
            const QRgb c = stars.pixel(x, y);
            if (c == qRgb(0, 0, 0)) {
                continue;
            }
            ++lit;
            white += c == qRgb(255, 255, 255) ? 1 : 0;
            coloured += qRed(c) != qGreen(c) || qGreen(c) != qBlue(c) ? 1 : 0;
        }
    }
    // Black, with scattered small stars, white and coloured.
    QVERIFY2(lit > 200 && lit < stars.width() * stars.height() / 100,
             qPrintable(QString::number(lit)));
    QVERIFY(white > 10);
    QVERIFY(coloured > 10);
}

// A 1 x 4 picture stored interlaced: its rows come as 0, 2, 1, 3 and show black, red, green,
// blue from top to bottom.
const QByteArray kInterlaced = QByteArray::fromHex(
    "47494638396101000400810000000000ff000000ff000000ff2c0000000001000400400203843205003b");

void ResourcesTest::ownGifDecoderGivesThePicture_data() {
    QTest::addColumn<QByteArray>("gif");
    QTest::addColumn<QImage>("expected");
    const QByteArray stars = bytesOf(res::starfieldPath());
    QTest::newRow("the starfield, against Qt's own decoder")
        << stars << QImage::fromData(stars, "GIF").convertToFormat(QImage::Format_RGB32);
    // Qt's decoder smears the rows of so small an interlaced picture, so it is written out.
    QImage interlaced(1, 4, QImage::Format_RGB32);
    for (const auto& [y, colour] : {std::pair{0, qRgb(0, 0, 0)},
                                    {1, qRgb(255, 0, 0)},
                                    {2, qRgb(0, 255, 0)},
                                    {3, qRgb(0, 0, 255)}}) {
        interlaced.setPixel(0, y, colour);
    }
    QTest::newRow("interlaced") << kInterlaced << interlaced;
}

void ResourcesTest::ownGifDecoderGivesThePicture() {
    QFETCH(QByteArray, gif);
    QFETCH(QImage, expected);
    QVERIFY(!expected.isNull());
    QCOMPARE(window::decodeGif(gif).convertToFormat(QImage::Format_RGB32), expected);
}

void ResourcesTest::ownGifDecoderSurvivesDamage() {
    const QByteArray gif = bytesOf(res::starfieldPath());
    // Cut short anywhere before the trailer: no crash, and no picture.
    for (qsizetype length = 0; length < gif.size() - 1; ++length) {
        QVERIFY(window::decodeGif(QByteArrayView(gif).first(length)).isNull());
    }
    // Damaged pixel data (inside its first sub-block of 255 bytes): no crash, and still
    // a picture of the right size.
    QByteArray damaged = gif;
    for (qsizetype at = 0x1A0; at < 0x290; at += 7) {  // inside the first sub-block
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    }
    QCOMPARE(window::decodeGif(damaged).size(), QSize(510, 374));
    QVERIFY(window::decodeGif("GIF89a").isNull());
    QVERIFY(window::decodeGif("PNG").isNull());
}

void ResourcesTest::ownIconDecoderMatchesQt() {
    const QByteArray ico = bytesOf(res::iconPath());
    QImageReader reader(res::iconPath());
    QList<QImage> fromQt;
    do {
        fromQt.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    } while (reader.jumpToNextImage());
    const QList<QImage> own = window::decodeIco(ico);
    QCOMPARE(own.size(), 3);
    QCOMPARE(own, fromQt);

    // Cut short or damaged: no crash, and only whole images.
    for (qsizetype length = 0; length < ico.size(); length += 3) {
        for (const QImage& image : window::decodeIco(QByteArrayView(ico).first(length))) {
            QVERIFY(image.width() == 16 || image.width() == 32);
        }
    }
    QByteArray damaged = ico;
    for (qsizetype at = 6; at < 6 + 3 * 16; at += 5) {
        damaged[at] = static_cast<char>(0xFF);
    }
    (void)window::decodeIco(damaged);
}

void ResourcesTest::iconStructure_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("32x32, 16 colours") << 0 << 32 << 4;
    QTest::newRow("32x32, 2 colours") << 1 << 32 << 1;
    QTest::newRow("16x16, 16 colours") << 2 << 16 << 4;
}

void ResourcesTest::iconStructure() {
    QFETCH(int, entry);
    QFETCH(int, size);
    QFETCH(int, bitsPerPixel);
    const QByteArray ico = bytesOf(res::iconPath());
    QCOMPARE(le16(ico, 0), 0);
    QCOMPARE(le16(ico, 2), 1);  // icon, not cursor
    QCOMPARE(le16(ico, 4), 3);

    const qsizetype dir = 6 + 16 * entry;
    QCOMPARE(byteAt(ico, dir), size);
    QCOMPARE(byteAt(ico, dir + 1), size);
    QCOMPARE(byteAt(ico, dir + 2), 1 << bitsPerPixel);
    QCOMPARE(le16(ico, dir + 4), 1);
    QCOMPARE(le16(ico, dir + 6), bitsPerPixel);
    const qint64 length = le32(ico, dir + 8);
    const qint64 offset = le32(ico, dir + 12);
    QVERIFY(offset + length <= ico.size());

    // BITMAPINFOHEADER, palette, colour bitmap and mask, rows padded to 32 bits.
    QCOMPARE(le32(ico, offset), 40);
    QCOMPARE(le32(ico, offset + 4), size);
    QCOMPARE(le32(ico, offset + 8), 2 * size);
    QCOMPARE(le16(ico, offset + 14), bitsPerPixel);
    QCOMPARE(le32(ico, offset + 16), 0);  // uncompressed
    const qint64 colourRow = (size * bitsPerPixel + 31) / 32 * 4;
    const qint64 maskRow = (size + 31) / 32 * 4;
    QCOMPARE(length, 40 + 4 * (1 << bitsPerPixel) + (colourRow + maskRow) * size);
}

void ResourcesTest::iconPictures_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QColor>("titleBar");
    QTest::addColumn<int>("frameBottom");
    QTest::addColumn<QString>("png");  // the desktop icon made from the same picture
    QTest::newRow("32x32, 16 colours") << 0 << QColor(Qt::cyan) << 28 << "warp-rechner-32.png";
    QTest::newRow("32x32, 2 colours") << 1 << QColor(Qt::black) << 28 << "";
    QTest::newRow("16x16, 16 colours") << 2 << QColor(Qt::cyan) << 14 << "warp-rechner-16.png";
}

// A white window with a black frame and a title bar, on a transparent ground.
void ResourcesTest::iconPictures() {
    QFETCH(int, entry);
    QFETCH(QColor, titleBar);
    QFETCH(int, frameBottom);
    QFETCH(QString, png);
    QImageReader reader(res::iconPath());
    QVERIFY(reader.jumpToImage(entry));
    const QImage icon = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!icon.isNull());
    const int size = icon.width();
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(icon.pixelColor(size / 2, size * 3 / 4), QColor(Qt::white));
    QCOMPARE(icon.pixelColor(size / 4, size / 8 + 1), titleBar);
    QCOMPARE(icon.pixelColor(size / 2, frameBottom), QColor(Qt::black));
    QCOMPARE(qAlpha(icon.pixel(size / 2, frameBottom + 1)), 0);

    if (!png.isEmpty()) {
        const QImage desktop =
            QImage(QStringLiteral(WARP_RES_DIR "/") + png).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(desktop.size(), icon.size());
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb a = icon.pixel(x, y);
                const QRgb b = desktop.pixel(x, y);
                QVERIFY(qAlpha(a) == qAlpha(b) && (qAlpha(a) == 0 || a == b));
            }
        }
    }
}

QTEST_GUILESS_MAIN(ResourcesTest)
#include "tst_resources.moc"
