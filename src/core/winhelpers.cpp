// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

namespace tarvelio {

// The four effects the toolkit does not offer directly. The model records them; the Qt
// layer carries them out when it mirrors the model.

void Calculator::HookButton(Ctl c) {
    m_form.setHooked(c, true);
}

void Calculator::UnhookButton(Ctl c) {
    m_form.setHooked(c, false);
}

void Calculator::AddWindowBorder(Ctl c) {
    m_form.setBorder(c, true);
}

// Only a combo box has a text field to make read-only.
void Calculator::SetComboReadOnly(Ctl c) {
    if (m_form.kind(c) == ControlKind::ComboBox)
        m_form.setReadOnly(c, true);
}

void Calculator::PressRightArrow() {
    m_form.queueRightArrow();
}

// A right-button press on the hooked "DM" button opens the chooser over it. It arrives
// only while the button is enabled and not covered by the chooser.
bool Calculator::EdmRightButtonDown() {
    const ControlState& edm = m_form.control(Ctl::EDM);
    if (!edm.hooked || !edm.enabled || !edm.visible || m_form.control(Ctl::Combo1).visible
        || !m_form.windowVisible())
        return false;
    m_form.setVisible(Ctl::Combo1, true);
    m_form.setFocus(Ctl::Combo1);
    PressRightArrow();
    return true;
}

} // namespace tarvelio
