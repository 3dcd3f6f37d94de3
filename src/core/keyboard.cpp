// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

#include "core/engine/texts.h"
#include "core/input/keycodes.h"

namespace tarvelio {

namespace {

// With Alt, Enter and the arrows are the toolkit's chords (Alt+Down drops the list down),
// not the keys the chooser keeps.
std::int16_t chooserKey(const keys::KeyPress& key) {
    if (keys::chooserKeeps(key.key) && (key.shift & keys::kAlt))
        return keys::kOutside;
    return key.key;
}

// The character the key map reads. Ctrl+C and Ctrl+V copy and paste however the platform
// delivers them: X11 types the control characters, Wayland and synthetic events give the
// letter with the Control modifier. Any other Alt chord is a shortcut, not a typed
// character; AltGr is no Alt, so AltGr+E stays the euro sign.
std::optional<std::int16_t> mappedCharacter(const keys::KeyPress& key) {
    using namespace keys;
    if (key.character == kCopy || key.character == kPaste)
        return key.character;
    if (key.shift & kAlt)
        return std::nullopt;
    if ((key.shift & kCtrl) && key.key == 'C')
        return kCopy;
    if ((key.shift & kCtrl) && key.key == 'V')
        return kPaste;
    return key.character;
}

} // namespace

// Every key, at the control with the focus or at the window without one. The chooser
// passes no character on: its key-down handling hands the focus back instead, and a key it
// hands back is spent there, so that neither the box nor its text field acts on it as well
// (no list keys, no drop-down, no context menu); the keys it keeps (Up, Down, Right,
// Enter) go on to the box. Elsewhere the context-menu key and Shift+F10 do what a
// right-button press on "DM" does; every other key passes its character to the key map,
// and Enter then presses the button that has the focus.
bool Calculator::onKey(std::optional<Ctl> target, const keys::KeyPress& key) {
    const std::int16_t code = chooserKey(key);
    if (target == Ctl::Combo1) {
        Combo1_KeyDown(code, key.shift);
        return m_form.focus() != Ctl::Combo1;
    }
    if (keys::opensChooser(code, key.shift)) {
        EdmRightButtonDown();
        return true;
    }
    if (auto character = mappedCharacter(key))
        HandleKey(*character);
    if (!target || key.key != keys::kEnter || key.autoRepeat)
        return false;
    const ControlKind kind = Form::kind(*target);
    if (m_form.focus() == target && (kind == ControlKind::Button || kind == ControlKind::PictureButton))
        m_form.userClick(*target);
    return true;
}

// Runs the handler a click on the matching control runs, for a character in the window's
// 8-bit character set (the euro sign is 128), and parks the focus on "=". The code is read,
// never changed: the focused control's own handling of the key still follows.
void Calculator::HandleKey(std::int16_t& keyCode) {
    const int code = keyCode;
    const auto focusEquals = [this] { m_form.setFocus(Ctl::Equals); };
    const auto before = [&](auto action) {
        focusEquals();
        action();
    };
    const auto clickOperator = [this](std::int16_t index) { Operator_Click(index); };
    switch (code) {
    case keys::kCopy:
        cCopy_Click();
        focusEquals();
        return;
    case keys::kPaste:
        cPaste_Click();
        focusEquals();
        return;
    case '%':
        return before([this] { Percent_Click(); });
    case '*':
        return before([&] { clickOperator(op::kTimes); });
    case '+':
        return before([&] { clickOperator(op::kPlus); });
    case ',':
    case '.':
        return before([this] { Decimal_Click(); });
    case '-':
        return before([&] { clickOperator(op::kMinus); });
    case '/':
        return before([&] { clickOperator(op::kDivide); });
    case '=':
        return before([&] { clickOperator(op::kEquals); });
    case 'C':
    case 'c':
        return before([this] { Cancel_Click(); });
    case 'E':
    case 'e':
        return before([this] { CancelEntry_Click(); });
    case 'D':
    case 'd':
        if (m_form.control(Ctl::EDM).enabled) {
            EDM_Click();
            focusEquals();
        }
        return;
    case keys::kEuro:
        if (m_form.control(Ctl::DME).enabled) {
            DME_Click();
            focusEquals();
        }
        return;
    case 'R':
    case 'r':
        // Setting the box raises its click, which redraws; the second redraw changes nothing.
        m_form.setValue(Ctl::Digits2, 1 - m_form.control(Ctl::Digits2).value);
        Digits2_Click();
        focusEquals();
        return;
    default:
        if (code >= '0' && code <= '9')
            before([&] { Number_Click(static_cast<std::int16_t>(code - '0')); });
        return;
    }
}

// Puts the readout's caption on the clipboard exactly as shown. Only a copy that reached
// the clipboard marks the display as handed over.
void Calculator::cCopy_Click() {
    if (!m_clipboard || !m_clipboard->putText(m_form.caption(Ctl::Readout)))
        return;
    m_state.ResultShown = true;
    enableConversions();
}

// Takes a number from the clipboard as the current entry, as the text stands, once the
// clipboard has answered.
void Calculator::cPaste_Click() {
    if (m_clipboard)
        m_clipboard->readText([this](std::optional<std::string> text) { takePasted(std::move(text)); });
}

// Anything that is not a number, an empty or unreadable clipboard included, changes nothing.
void Calculator::takePasted(std::optional<std::string> text) {
    if (!text)
        return;
    CalcValue pasted(std::move(*text));
    if (!numberOf(pasted, m_format))
        return;
    setReadout(std::move(pasted));
    m_state.DecimalEntered = -1;
    m_state.LastInput = texts::kNums;
    m_state.ResultShown = true;
    enableConversions();
    m_form.announce(Ctl::Readout);
}

} // namespace tarvelio
