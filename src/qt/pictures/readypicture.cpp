// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/pictures/readypicture.h"

#include <QtEndian>

#include <cstring>

namespace tarvelio {

namespace {

std::uint32_t word(QByteArrayView data, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(data.data() + at);
}

void putWord(QByteArray& out, std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QImage readyPicture(QByteArrayView data) {
    if (data.size() < kReadyPictureHeader
        || std::memcmp(data.data(), kReadyPictureMagic.data(), kReadyPictureMagic.size()) != 0)
        return {};
    const std::uint32_t width = word(data, 4), height = word(data, 8), format = word(data, 12);
    if (width == 0 || height == 0 || width > kReadyPictureMaxSide || height > kReadyPictureMaxSide)
        return {};
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const qsizetype rowBytes = qsizetype(width) * 4;
    if (data.size() != kReadyPictureHeader + rowBytes * qsizetype(height))
        return {};
    // Copied row by row: the resource need not be aligned for the pixels, nor padded as
    // QImage pads its rows.
    QImage image(static_cast<int>(width), static_cast<int>(height), static_cast<QImage::Format>(format));
    if (image.isNull())
        return {};
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(
            image.scanLine(y), data.data() + kReadyPictureHeader + rowBytes * y, std::size_t(rowBytes));
    return image;
}

QByteArray toReadyPicture(const QImage& image) {
    if (image.isNull() || std::uint32_t(image.width()) > kReadyPictureMaxSide
        || std::uint32_t(image.height()) > kReadyPictureMaxSide)
        return {};
    const QImage pixels = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QByteArray out;
    out.reserve(kReadyPictureHeader + pixels.width() * pixels.height() * 4);
    out.append(kReadyPictureMagic.data(), kReadyPictureMagic.size());
    putWord(out, std::uint32_t(pixels.width()));
    putWord(out, std::uint32_t(pixels.height()));
    putWord(out, std::uint32_t(pixels.format()));
    for (int y = 0; y < pixels.height(); ++y)
        out.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    return out;
}

} // namespace tarvelio
