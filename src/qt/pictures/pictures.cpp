// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/pictures/pictures.h"

#include "qt/pictures/readypicture.h"
#include "qt/qstr.h"

#include <QImageReader>
#include <QPainter>
#include <QResource>
#include <QWidget>

namespace tarvelio {

namespace {

constexpr std::string_view kIconPicture = "icon";

QPixmap ready(const QString& name) {
    const QResource resource(QStringLiteral(":/pictures/%1.ready").arg(name));
    return QPixmap::fromImage(readyPicture(resource.uncompressedData()));
}

// A double-resolution picture, read from its file, whose format its extension names.
// Left to guess, Qt would load and ask every image plugin before its built-in readers
// got a turn.
QPixmap doubled(std::string_view file) {
    const QString name = qstr(file);
    QByteArray format = name.section(QLatin1Char('.'), -1).toLatin1();
    if (format == "jpg")
        format = "jpeg";
    QImageReader reader(QStringLiteral(":/pictures/") + name, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

class WidgetSurface final : public PaintSurface {
public:
    WidgetSurface(QPainter& painter, const QWidget& widget, const QPixmap& picture)
        : m_painter(painter)
        , m_widget(widget)
        , m_picture(picture) { }

    float scaleWidth() const override { return static_cast<float>(m_widget.width() * kTwipsPerPixel); }
    float scaleHeight() const override { return static_cast<float>(m_widget.height() * kTwipsPerPixel); }
    float pictureWidth() const override { return picturePixels().width() * float(kTwipsPerPixel); }
    float pictureHeight() const override { return picturePixels().height() * float(kTwipsPerPixel); }
    void paintPicture(float x, float y, float w, float h) override {
        constexpr float t = kTwipsPerPixel;
        m_painter.drawPixmap(QRectF(x / t, y / t, w / t, h / t), m_picture, QRectF(m_picture.rect()));
        ++tiles;
    }

    int tiles = 0;

private:
    QSizeF picturePixels() const { return m_picture.deviceIndependentSize(); }

    QPainter& m_painter;
    const QWidget& m_widget;
    const QPixmap& m_picture;
};

} // namespace

QIcon controlIcon(const PictureSpec& picture, qreal devicePixelRatio) {
    QIcon icon(ready(qstr(picture.ready)));
    // The double-resolution picture only where a screen can show it.
    if (devicePixelRatio > 1.0 && !picture.doubled.empty())
        icon.addPixmap(doubled(picture.doubled));
    return icon;
}

QIcon programIcon() {
    return QIcon(ready(qstr(kIconPicture)));
}

QIcon programIconInEverySize() {
    QIcon icon = programIcon();
    for (const int size : {TARVELIO_WINDOW_ICON_SIZES})
        icon.addPixmap(ready(QStringLiteral("%1-%2").arg(qstr(kIconPicture)).arg(size)));
    return icon;
}

const QPixmap& Background::forRatio(qreal devicePixelRatio) {
    if (!m_normalRead) {
        m_normal = ready(qstr(m_spec.ready));
        m_normalRead = true;
    }
    if (devicePixelRatio > 1.0 && m_doubled.isNull() && !m_normal.isNull()) {
        m_doubled = doubled(m_spec.doubled);
        m_doubled.setDevicePixelRatio(2.0);
    }
    return devicePixelRatio > 1.0 && !m_doubled.isNull() ? m_doubled : m_normal;
}

int Background::paint(QWidget& widget, const std::function<void(PaintSurface&)>& tile) {
    QPainter painter(&widget);
    const QPixmap& picture = forRatio(widget.devicePixelRatioF());
    if (picture.isNull()) {
        // Without the picture the window still gets a calm field of its own colour.
        painter.fillRect(widget.rect(), QColor(0, 32, 128));
        return 0;
    }
    WidgetSurface surface(painter, widget, picture);
    tile(surface);
    return surface.tiles;
}

} // namespace tarvelio
