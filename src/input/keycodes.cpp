#include "keycodes.h"

#include <QKeyEvent>

namespace tarvelio {

std::optional<std::int16_t> characterCode(const QKeyEvent& event) {
    constexpr std::int16_t kCopy = 3, kPaste = 22, kEuro = 128, kOutside = 255;
    const QString text = event.text();
    // X11 delivers the control characters; Wayland and synthetic events the letter with
    // the Control modifier. AltGr is no Control here, so AltGr+E stays the euro sign.
    if (text == QChar(kCopy) || text == QChar(kPaste))
        return static_cast<std::int16_t>(text.at(0).unicode());
    const auto mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        if (event.key() == Qt::Key_C)
            return kCopy;
        if (event.key() == Qt::Key_V)
            return kPaste;
    }
    if (text.isEmpty())
        return std::nullopt;
    const char32_t c = text.toUcs4().value(0);
    if (c == U'\u20AC')
        return kEuro;
    return c < 128 ? static_cast<std::int16_t>(c) : kOutside;
}

} // namespace tarvelio
