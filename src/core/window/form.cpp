// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/window/form.h"

#include "core/window/layout.h"

#include <utility>

namespace tarvelio {

Form::Form(FormEvents& events)
    : m_events(events) {
    for (const auto& l : kLayout) {
        auto& c = m_controls[indexOf(l.id)];
        c.caption = l.caption;
        c.toolTip = l.toolTip;
        c.visible = l.visible;
    }
    m_controls[indexOf(Ctl::Digits2)].value = 1;
}

ControlState& Form::mut(Ctl c) {
    m_changes.controls |= 1U << indexOf(c);
    return m_controls[indexOf(c)];
}

namespace {

// Replaces a text with its own buffer: assigned in place, a short text would keep the
// buffer of a long one, and a pasted megabyte would stay held after C.
void replaceText(std::string& text, std::string&& with) {
    std::string(std::move(with)).swap(text);
}

} // namespace

void Form::setCaption(Ctl c, std::string caption) {
    if (control(c).caption != caption)
        replaceText(mut(c).caption, std::move(caption));
}

void Form::setToolTip(Ctl c, std::string toolTip) {
    if (control(c).toolTip != toolTip)
        replaceText(mut(c).toolTip, std::move(toolTip));
}

void Form::setEnabled(Ctl c, bool enabled) {
    if (control(c).enabled == enabled)
        return;
    mut(c).enabled = enabled;
    if (!enabled)
        dropFocus(c);
}

void Form::setVisible(Ctl c, bool visible) {
    if (control(c).visible == visible)
        return;
    mut(c).visible = visible;
    if (!visible)
        dropFocus(c);
}

void Form::dropFocus(Ctl c) {
    if (m_focus != c)
        return;
    m_focus.reset();
    m_changes.focus = true;
    m_events.onLostFocus(c);
}

void Form::setValue(Ctl c, int value) {
    if (control(c).value == value)
        return;
    mut(c).value = value;
    m_events.onClick(c);
}

bool Form::setFocus(Ctl c) {
    const auto& s = control(c);
    if (!m_windowVisible || !s.visible || !s.enabled || !canHoldFocus(kLayout[indexOf(c)].kind))
        return false;
    if (m_focus == c)
        return true;
    const auto previous = m_focus;
    m_focus = c;
    m_changes.focus = true;
    if (previous)
        m_events.onLostFocus(*previous);
    // A handler of the focus loss may have moved the focus on already.
    if (m_focus == c)
        m_events.onGotFocus(c);
    return m_focus == c;
}

void Form::showWindow() {
    if (m_windowVisible)
        return;
    m_windowVisible = true;
    m_changes.window = true;
}

void Form::announce(Ctl c) {
    if (m_windowVisible)
        m_changes.announced |= 1U << indexOf(c);
}

void Form::addItem(Ctl c, std::string item) {
    mut(c).items.push_back(std::move(item));
}

void Form::setListIndex(Ctl c, int index) {
    auto& s = mut(c);
    if (index < -1 || index >= static_cast<int>(s.items.size()))
        return;
    s.listIndex = index;
    if (index >= 0)
        s.caption = s.items[static_cast<std::size_t>(index)];
    m_events.onClick(c);
}

void Form::bringToFront(Ctl c) {
    mut(c).stacking = ++m_topStacking;
    m_changes.stacking = true;
}

void Form::userClick(Ctl c) {
    const auto& s = control(c);
    if (!m_windowVisible || !s.visible || !s.enabled)
        return;
    if (kLayout[indexOf(c)].kind == ControlKind::CheckBox)
        setValue(c, s.value != 0 ? 0 : 1);
    else
        m_events.onClick(c);
}

void Form::userFocus(Ctl c) {
    setFocus(c);
}

void Form::userSelect(Ctl c, int index) {
    const auto& s = control(c);
    if (m_windowVisible && s.visible && s.enabled)
        setListIndex(c, index);
}

void Form::userDropDown(Ctl c) {
    const auto& s = control(c);
    if (!m_windowVisible || !s.visible || !s.enabled || kind(c) != ControlKind::ComboBox)
        return;
    m_events.onDropDown(c);
    setFocus(c);
}

bool Form::userKey(std::optional<Ctl> target, const keys::KeyPress& key) {
    return m_events.onKey(target, key);
}

ControlKind Form::kind(Ctl c) {
    return kLayout[indexOf(c)].kind;
}

void Form::setHooked(Ctl c, bool hooked) {
    if (control(c).hooked != hooked)
        mut(c).hooked = hooked;
}

void Form::setBorder(Ctl c, bool border) {
    if (control(c).border != border)
        mut(c).border = border;
}

void Form::setReadOnly(Ctl c, bool readOnly) {
    if (control(c).readOnly != readOnly)
        mut(c).readOnly = readOnly;
}

FormChanges Form::takeChanges() {
    return std::exchange(m_changes, {});
}

} // namespace tarvelio
