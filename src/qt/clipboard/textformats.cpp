// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/textformats.h"

#include "qt/clipboard/waylandtextreader.h"
#include "qt/clipboard/x11textreader.h"

#include <QList>
#include <QStringDecoder>

namespace tarvelio {

namespace {

// The character set a "text/plain;charset=…" format names; empty for other formats.
QByteArray charsetOf(const QByteArray& format) {
    const QList<QByteArray> parts = format.split(';');
    if (parts.first().trimmed().toLower() != "text/plain")
        return {};
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts[i].trimmed();
        if (parameter.toLower().startsWith("charset="))
            return parameter.mid(8).replace('"', "").trimmed();
    }
    return {};
}

} // namespace

TextFormat textFormat(const QByteArray& name) {
    if (name == "UTF8_STRING")
        return {5, {}};
    const QByteArray charset = charsetOf(name);
    const QByteArray lower = charset.toLower();
    if (lower == "utf-8" || lower == "utf8")
        return {4, {}};
    if (!charset.isEmpty() && QStringDecoder::encodingForName(charset.constData()))
        return {TextFormat::kNamedCharset, charset};
    if (name == "STRING")
        return {2, "ISO-8859-1"};
    if (name == "text/plain")
        return {1, {}};
    return {};
}

std::optional<std::string> decodedText(std::string bytes, const QByteArray& charset) {
    QStringDecoder decode = charset.isEmpty()
        ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)
        : QStringDecoder(charset.constData(), QStringDecoder::Flag::Stateless);
    if (!decode.isValid())
        return std::nullopt;
    QString text = decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decode.hasError())
        return std::nullopt;
    // The closing NUL is a character of the set, one byte or more (UTF-16).
    const bool closingNul = text.endsWith(QChar(u'\0'));
    if (charset.isEmpty()) {
        if (closingNul)
            bytes.pop_back();
        return bytes;
    }
    if (closingNul)
        text.chop(1);
    return text.toStdString();
}

std::unique_ptr<AsyncTextReader> platformTextReader() {
    if (auto x11 = X11TextReader::create())
        return x11;
    return waylandTextReader();
}

} // namespace tarvelio
