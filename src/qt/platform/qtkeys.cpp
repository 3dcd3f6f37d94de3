// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/platform/qtkeys.h"

#include <QKeyEvent>

namespace tarvelio {

namespace {

// Keys are told apart by the toolkit's key identity, never by the character they type: on
// some layouts a character's key value equals the code of an arrow key ("'" is 39, as
// Right is). Letters and digits keep their codes; every other key becomes one that means
// nothing to the rules.
std::int16_t keyIdentity(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::kEnter;
    case Qt::Key_Left:
        return keys::kLeft;
    case Qt::Key_Up:
        return keys::kUp;
    case Qt::Key_Right:
        return keys::kRight;
    case Qt::Key_Down:
        return keys::kDown;
    case Qt::Key_Menu:
        return keys::kMenu;
    case Qt::Key_F10:
        return keys::kF10;
    default:
        if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
            return static_cast<std::int16_t>(key);
        return keys::kOutside;
    }
}

// AltGr is a modifier of its own, not Alt: AltGr+E types the euro sign.
std::int16_t shiftState(Qt::KeyboardModifiers m) {
    return static_cast<std::int16_t>((m & Qt::ShiftModifier ? keys::kShift : 0)
        | (m & Qt::ControlModifier ? keys::kCtrl : 0) | (m & Qt::AltModifier ? keys::kAlt : 0));
}

std::optional<std::int16_t> typedCharacter(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const char32_t c = text.toUcs4().value(0);
    if (c == U'\u20AC')
        return keys::kEuro;
    return c < 128 ? static_cast<std::int16_t>(c) : keys::kOutside;
}

} // namespace

keys::KeyPress keyPress(const QKeyEvent& event) {
    return {keyIdentity(event.key()), shiftState(event.modifiers()), typedCharacter(event.text()),
        event.isAutoRepeat()};
}

} // namespace tarvelio
