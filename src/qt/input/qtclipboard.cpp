// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringDecoder>

namespace tarvelio {

bool QtClipboard::putText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString value = QString::fromStdString(text);
    clipboard->clear();
    clipboard->setText(value);
    // Qt reports no failure of its own; what reads back tells whether the text arrived.
    const QMimeData* data = clipboard->mimeData();
    return data && data->hasText() && data->text() == value;
}

namespace {

// Plain text in a form that names its character set ("text/plain;charset=utf-8", as
// several toolkits and browsers offer it), decoded as that set says; nothing for other
// forms and for sets the toolkit cannot decode.
std::optional<QString> plainText(const QMimeData& data, const QString& format) {
    const QStringList parts = format.split(QLatin1Char(';'));
    if (parts.first().trimmed().compare(QLatin1String("text/plain"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const QString& part : parts.mid(1)) {
        const QString parameter = part.trimmed();
        if (!parameter.startsWith(QLatin1String("charset="), Qt::CaseInsensitive))
            continue;
        QString name = parameter.mid(8);
        name.remove(QLatin1Char('"'));
        const auto encoding = QStringDecoder::encodingForName(name.toLatin1());
        if (!encoding)
            return std::nullopt;
        QStringDecoder decode(*encoding);
        QString text = decode(data.data(format));
        if (decode.hasError())
            return std::nullopt;
        return text;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> QtClipboard::text() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return std::nullopt;
    std::string text;
    if (data->hasText()) {
        text = data->text().toStdString();
    } else {
        const QStringList formats = data->formats();
        for (const QString& format : formats) {
            if (auto plain = plainText(*data, format)) {
                text = plain->toStdString();
                break;
            }
        }
    }
    m_readLarge = text.size() >= kLargeText;
    return text;
}

} // namespace tarvelio
