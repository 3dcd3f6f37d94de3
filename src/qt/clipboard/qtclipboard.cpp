// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/qtclipboard.h"

#include "qt/clipboard/textformats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tarvelio {

QtClipboard::QtClipboard(std::function<void(const std::function<void()>&)> deliver)
    : m_deliver(std::move(deliver))
    , m_reader(platformTextReader()) { }

QtClipboard::~QtClipboard() = default;

// One change of owner that offers the text alone, in every text form Qt offers (UTF-8, the
// X11 string types, text/plain), so that the clipboard holds the text and nothing else.
// Clearing first would hand the clipboard to a clipboard keeper, which then takes it back
// over the text; reading back afterwards would wait on whichever program owns the
// clipboard by then. The text goes as the UTF-8 it is, converted only for a program that
// asks for another form: a copy of a pasted megabyte returns at once.
bool QtClipboard::putText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    auto* data = new QMimeData;
    const QByteArray bytes = QByteArray::fromStdString(text);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), bytes);
    data->setData(QStringLiteral("text/plain"), bytes);
    clipboard->setMimeData(data);
    return true;
}

bool QtClipboard::reading() const {
    return m_reader && m_reader->reading();
}

void QtClipboard::readText(TextReply reply) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!m_reader || (clipboard && clipboard->ownsClipboard())) {
        reply(toolkitText());
        return;
    }
    m_readLarge = false;
    // A read refused on the spot is answered within this call, as the toolkit's read is.
    m_asking = true;
    m_reader->read([this, reply = std::move(reply)](std::optional<std::string> text) {
        if (m_asking)
            reply(std::move(text));
        else
            m_deliver([&reply, &text] { reply(std::move(text)); });
    });
    m_asking = false;
}

std::optional<std::string> QtClipboard::toolkitText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return std::nullopt;
    std::string text;
    if (data->hasText()) {
        text = data->text().toStdString();
    } else {
        // Plain text in a form that names its character set ("text/plain;charset=utf-8",
        // as several toolkits and browsers offer it): the best such form that decodes.
        int bestRank = 0;
        const QStringList formats = data->formats();
        for (const QString& format : formats) {
            const TextFormat form = textFormat(format.toLatin1());
            if (form.rank < TextFormat::kNamedCharset || form.rank <= bestRank)
                continue;
            if (auto decoded = decodedText(data->data(format).toStdString(), form.charset)) {
                text = std::move(*decoded);
                bestRank = form.rank;
            }
        }
    }
    m_readLarge = text.size() >= kLargeText;
    return text;
}

} // namespace tarvelio
