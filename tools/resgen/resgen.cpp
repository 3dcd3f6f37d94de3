// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Generates the pictures that ship with Tarvelio: the window icon, the two
// toolbar bitmaps and the keypad background. Everything is drawn from code so
// the files can be rebuilt byte for byte; no clocks, no randomness.
//
// The icon and the toolbar bitmaps use the classic 16-colour palette at 4 bits
// per pixel. Qt cannot write that format, so the ICO and BMP structures are
// written by hand below.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

// Standard 16-colour palette in the usual Windows order.
// clang-format off
constexpr std::array<QRgb, 16> kPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
// clang-format on

enum : uint8_t { Black = 0, Olive = 3, Navy = 4, Silver = 7, Grey = 8, Yellow = 11, White = 15 };

// Pixels as palette indices, row 0 at the top.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

uint8_t nearestIndex(QRgb c) {
    int best = 0;
    int bestDist = INT32_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(c) - qRed(kPalette[i]);
        const int dg = qGreen(c) - qGreen(kPalette[i]);
        const int db = qBlue(c) - qBlue(kPalette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return uint8_t(best);
}

void put16(QByteArray& b, uint16_t v) {
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}

void put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

int rowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

// BITMAPINFOHEADER + palette + 4-bit pixel rows, bottom-up.
// An icon stores its height doubled because the AND mask follows the colour bits.
QByteArray dibBody(const IndexedImage& img, int headerHeight, uint32_t imageBytes) {
    QByteArray b;
    put32(b, 40);
    put32(b, uint32_t(img.width));
    put32(b, uint32_t(headerHeight));
    put16(b, 1); // planes
    put16(b, 4); // bits per pixel
    put32(b, 0); // BI_RGB, uncompressed
    put32(b, imageBytes);
    put32(b, 0); // pixels per metre: not given
    put32(b, 0);
    put32(b, 16); // colours used
    put32(b, 0);
    for (QRgb c : kPalette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append(char(0));
    }
    const int stride = rowBytes(img.width, 4);
    for (int y = img.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < img.width; ++x)
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? img.at(x, y) << 4 : img.at(x, y)));
        b.append(row);
    }
    return b;
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size()) {
        std::fprintf(stderr, "resgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeBmp(const QString& path, const IndexedImage& img) {
    const uint32_t pixelBytes = uint32_t(rowBytes(img.width, 4) * img.height);
    const QByteArray body = dibBody(img, img.height, pixelBytes);
    QByteArray b;
    b.append("BM");
    put32(b, uint32_t(14 + body.size()));
    put32(b, 0); // reserved
    put32(b, uint32_t(14 + 40 + 16 * 4)); // offset of the pixel rows
    b.append(body);
    return writeFile(path, b);
}

// transparent[y * width + x] marks pixels that the AND mask lets through.
bool writeIco(const QString& path, const IndexedImage& img, const std::vector<bool>& transparent) {
    const int maskStride = rowBytes(img.width, 1);
    const uint32_t xorBytes = uint32_t(rowBytes(img.width, 4) * img.height);
    const uint32_t andBytes = uint32_t(maskStride * img.height);
    QByteArray body = dibBody(img, img.height * 2, xorBytes + andBytes);
    for (int y = img.height - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < img.width; ++x)
            if (transparent[size_t(y) * size_t(img.width) + size_t(x)])
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        body.append(row);
    }
    QByteArray b;
    put16(b, 0); // ICONDIR: reserved
    put16(b, 1); // type: icon
    put16(b, 1); // one image
    b.append(char(img.width)); // ICONDIRENTRY
    b.append(char(img.height));
    b.append(char(16)); // colours
    b.append(char(0));
    put16(b, 1); // planes
    put16(b, 4); // bits per pixel
    put32(b, uint32_t(body.size()));
    put32(b, 6 + 16);
    b.append(body);
    return writeFile(path, b);
}

// Yellow euro sign on a navy disc; everything outside the disc is transparent.
bool makeIcon(const QString& path) {
    constexpr int n = 32;
    QImage canvas(n, n, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(kPalette[Black]), 1));
        p.setBrush(QColor(kPalette[Navy]));
        p.drawEllipse(QRectF(0.5, 0.5, n - 1.5, n - 1.5));

        const QColor yellow(kPalette[Yellow]);
        // The C: a ring with a wedge cut away on the right.
        QPainterPath ring;
        ring.addEllipse(QRectF(8, 5, 20, 22));
        QPainterPath hole;
        hole.addEllipse(QRectF(12, 9, 13, 14));
        QPainterPath wedge;
        wedge.moveTo(18, 16);
        wedge.lineTo(32, 2);
        wedge.lineTo(32, 30);
        wedge.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(yellow);
        p.drawPath(ring.subtracted(hole).subtracted(wedge));
        // The two bars, reaching out to the left past the C.
        p.drawRect(QRect(5, 12, 15, 2));
        p.drawRect(QRect(5, 17, 14, 2));
    }
    IndexedImage img {n, n, std::vector<uint8_t>(size_t(n * n))};
    std::vector<bool> transparent(size_t(n * n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const QRgb c = canvas.pixel(x, y);
            const bool clear = qAlpha(c) < 128;
            transparent[size_t(y * n + x)] = clear;
            // Masked pixels must be black in the colour bits so they show the background unchanged.
            img.pixels[size_t(y * n + x)] = clear ? uint8_t(Black) : nearestIndex(c);
        }
    }
    return writeIco(path, img, transparent);
}

// 16x16 pixel art, one character per pixel.
IndexedImage fromArt(const std::array<std::string_view, 16>& rows) {
    IndexedImage img {16, 16, {}};
    for (std::string_view row : rows) {
        if (row.size() != 16)
            qFatal("resgen: pixel-art row \"%.*s\" is not 16 wide", int(row.size()), row.data());
        for (char ch : row) {
            // K black, g grey, W white, B navy, o olive; anything else is the silver ground.
            constexpr std::string_view keys = "KgWBo";
            constexpr uint8_t colours[] = {Black, Grey, White, Navy, Olive};
            const size_t k = keys.find(ch);
            img.pixels.push_back(k == std::string_view::npos ? uint8_t(Silver) : colours[k]);
        }
    }
    return img;
}

// Two sheets of paper: the back one outlined in grey, the front one in black with a shadow.
const std::array<std::string_view, 16> kCopyArt = {
    ".gggggggg.......",
    ".gWWWWWWg.......",
    ".gWBBBBWg.......",
    ".gWWWWWWg.......",
    ".gWBBBKKKKKKKK..",
    ".gWWWWKWWWWWWKg.",
    ".gWBBBKWBBBBWKg.",
    ".gWWWWKWWWWWWKg.",
    ".gWBBBKWBBBWWKg.",
    ".gWWWWKWWWWWWKg.",
    ".gggggKWBBBBWKg.",
    "......KWWWWWWKg.",
    "......KWBBBWWKg.",
    "......KWWWWWWKg.",
    "......KKKKKKKKg.",
    ".......gggggggg.",
};

// A clipboard: olive board, grey clip at the top, a written sheet on it.
const std::array<std::string_view, 16> kPasteArt = {
    "......KKKK......",
    ".KKKKKgWWgKKKKK.",
    ".KooKggggggKooK.",
    ".KoWKKKKKKKKooK.",
    ".KoWWWWWWWWWgoK.",
    ".KoWBBBBBWWWgoK.",
    ".KoWWWWWWWWWgoK.",
    ".KoWBBBBBBBWgoK.",
    ".KoWWWWWWWWWgoK.",
    ".KoWBBBBBWWWgoK.",
    ".KoWWWWWWWWWgoK.",
    ".KoWBBBBWWWWgoK.",
    ".KoWWWWWWWWWgoK.",
    ".KoogggggggggoK.",
    ".KooooooooooooK.",
    ".KKKKKKKKKKKKKK.",
};

QPainterPath starPath(QPointF centre, qreal outer, qreal rotationDeg) {
    const qreal inner = outer * 0.382; // regular five-pointed star
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal a = qDegreesToRadians(-90.0 + rotationDeg + i * 36.0);
        const QPointF pt = centre + QPointF(r * qCos(a), r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// A corner of a waving flag: deep blue cloth with a few large pale stars, kept calm
// because the keypad sits on top of it.
// `scale` 2 draws the same picture at twice the resolution, for high-density screens.
QImage makeBackground(int scale) {
    const int w = 218 * scale, h = 169 * scale;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0, 40, 140));
    {
        QPainter p(&img);
        p.scale(scale, scale);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 180, 235));
        struct Star {
            qreal x, y, r, rot;
        };
        constexpr Star stars[] = {
            {34, 122, 26, -7},
            {60, 66, 24, -3},
            {168, 10, 27, 4},
            {206, 118, 28, 9},
        };
        for (const Star& s : stars)
            p.drawPath(starPath(QPointF(s.x, s.y), s.r, s.rot));
    }
    // Folds of the cloth: broad diagonal light and shade laid over field and stars alike.
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const qreal u = qreal(x) / scale, v = qreal(y) / scale;
            const qreal fold = 0.11 * qSin((u * 0.9 + v * 0.45) / 26.0) + 0.04 * qSin((u - v * 0.6) / 41.0 + 1.3);
            const qreal f = 1.0 + fold;
            line[x] = qRgb(qBound(0, qRound(qRed(line[x]) * f), 255),
                qBound(0, qRound(qGreen(line[x]) * f), 255), qBound(0, qRound(qBlue(line[x]) * f), 255));
        }
    }
    return img;
}

QImage doubled(const IndexedImage& img) {
    QImage out(img.width, img.height, QImage::Format_RGB32);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x)
            out.setPixel(x, y, kPalette[img.at(x, y)]);
    }
    return out.scaled(img.width * 2, img.height * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Chosen so the file lands near 3 KB; the background is soft enough not to show the loss.
constexpr int kJpegQuality = 78;

bool writeJpeg(const QString& path, const QImage& img) {
    QImageWriter writer(path, "jpg");
    writer.setQuality(kJpegQuality);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(true);
    if (!writer.write(img)) {
        std::fprintf(
            stderr, "resgen: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: resgen <output-dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "resgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = makeIcon(out.filePath("icon.ico"));
    ok = writeBmp(out.filePath("copy.bmp"), fromArt(kCopyArt)) && ok;
    ok = writeBmp(out.filePath("paste.bmp"), fromArt(kPasteArt)) && ok;
    ok = writeJpeg(out.filePath("background.jpg"), makeBackground(1)) && ok;
    // Twice the resolution for high-density screens; the bitmaps double their pixels, so
    // they stay as crisp as the originals instead of being smoothed by the upscaling.
    ok = writeJpeg(out.filePath("background@2x.jpg"), makeBackground(2)) && ok;
    ok = doubled(fromArt(kCopyArt)).save(out.filePath("copy@2x.png")) && ok;
    ok = doubled(fromArt(kPasteArt)).save(out.filePath("paste@2x.png")) && ok;
    return ok ? 0 : 1;
}
