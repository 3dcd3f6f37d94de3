#include "input/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

std::optional<std::string> QtClipboard::text() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return std::nullopt;
    return data->hasText() ? data->text().toStdString() : std::string();
}

} // namespace tarvelio
