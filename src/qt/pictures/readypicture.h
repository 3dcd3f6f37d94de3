// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QImage>

#include <array>
#include <cstdint>

namespace tarvelio {

// A picture turned into pixels when the program is built, so that showing it decodes
// nothing and needs no image plugin. The layout: the magic, then width, height and the
// QImage format as little-endian 32-bit numbers, then the rows, four bytes a pixel.
inline constexpr std::array<char, 4> kReadyPictureMagic {'T', 'V', 'R', 'P'};
inline constexpr qsizetype kReadyPictureHeader = 16;
inline constexpr std::uint32_t kReadyPictureMaxSide = 4096;

// The picture the data holds; a null image for data that is not a whole ready picture.
QImage readyPicture(QByteArrayView data);

// The ready form of an image: RGB32 when it is opaque, premultiplied ARGB32 otherwise.
QByteArray toReadyPicture(const QImage& image);

} // namespace tarvelio
