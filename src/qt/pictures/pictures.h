// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/layout.h"
#include "core/window/paintsurface.h"

#include <QIcon>
#include <QPixmap>

#include <functional>

class QWidget;

namespace tarvelio {

// Every picture the window shows, from the program's resources: the ready pixels made
// when the program was built, and the double-resolution files for high-density screens.

// The picture of a control's table entry, for the screen's pixel ratio.
QIcon controlIcon(const PictureSpec& picture, qreal devicePixelRatio);

// The window's own 32 x 32 icon alone, for the start, and with the icon theme's smaller
// and larger sizes, once the window has been painted.
QIcon programIcon();
QIcon programIconInEverySize();

// The background picture, read when it is first drawn so that the window maps without
// waiting for it; at twice the resolution on a high-density screen. Null where the
// picture cannot be read.
class Background {
public:
    explicit Background(const PictureSpec& picture)
        : m_spec(picture) { }
    const QPixmap& forRatio(qreal devicePixelRatio);
    // Covers the widget with the picture as `tile` lays out the copies, and returns how
    // many it drew; without the picture, a plain field and 0.
    int paint(QWidget& widget, const std::function<void(PaintSurface&)>& tile);

private:
    PictureSpec m_spec;
    QPixmap m_normal;
    QPixmap m_doubled;
    bool m_normalRead = false;
};

} // namespace tarvelio
