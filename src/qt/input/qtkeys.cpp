// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/input/qtkeys.h"

#include "core/input/keycodes.h"

#include <QKeyEvent>

namespace tarvelio {

std::optional<std::int16_t> characterCode(const QKeyEvent& event) {
    using namespace keys;
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
    // An Alt chord is a shortcut, not a typed character. AltGr is a modifier of its own,
    // so the euro sign still arrives.
    if (text.isEmpty() || (mods & Qt::AltModifier))
        return std::nullopt;
    const char32_t c = text.toUcs4().value(0);
    if (c == U'\u20AC')
        return kEuro;
    return c < 128 ? static_cast<std::int16_t>(c) : kOutside;
}

namespace {

// Keys are told apart by the toolkit's key identity, never by the character they type: on
// some layouts a character's key value equals the code of an arrow key ("'" is 39, as
// Right is). Letters and digits keep their codes; every other key becomes one that means
// nothing to the chooser.
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

} // namespace

std::int16_t virtualKey(const QKeyEvent& event) {
    using namespace keys;
    const std::int16_t code = keyIdentity(event.key());
    // With Alt, Enter and the arrows are the toolkit's chords (Alt+Down drops the list
    // down), not the keys the chooser keeps.
    if (chooserKeeps(code) && (event.modifiers() & Qt::AltModifier))
        return kOutside;
    return code;
}

std::int16_t shiftState(const QKeyEvent& event) {
    const auto m = event.modifiers();
    return static_cast<std::int16_t>((m & Qt::ShiftModifier ? keys::kShift : 0)
        | (m & Qt::ControlModifier ? keys::kCtrl : 0) | (m & Qt::AltModifier ? keys::kAlt : 0));
}

} // namespace tarvelio
