// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

#include "core/engine/texts.h"

#include <utility>

namespace tarvelio {

// Runs at start-up while the window is still hidden, and again as the last step of C,
// when the window is shown; only the first run does the once-only set-up.
void Calculator::Form_Load() {
    if (!m_form.windowVisible())
        setUpOnce();
    auto& s = m_state;
    s.DecimalEntered = 0;
    s.OperandCount = 0;
    s.LastInput = texts::kNone;
    s.PendingOperator.assign(1, ' '); // no operator pending (assigned so, GCC 12 warns falsely on " ")
    setReadout(m_zeroText);
    m_form.showWindow();
    // A control of a hidden window cannot take the focus, so this follows the show.
    m_form.setFocus(Ctl::Equals);
    s.ResultShown = false;
    AddWindowBorder(Ctl::Combo1);
    SetComboReadOnly(Ctl::Combo1);
    m_form.setCaption(Ctl::Label2, {});
}

// Set-up that must happen exactly once, however often C runs the load handler: the
// right-click hook, then the currency table and the chooser's list.
void Calculator::setUpOnce() {
    if (std::exchange(m_setUp, true))
        return;
    HookButton(Ctl::EDM);
    setUpCurrencies();
}

// Covers the client area with copies of the background picture, row by row from the
// top-left corner. The comparisons are strict, so an area exactly k tiles wide gets k
// tiles; sizes and sums are single precision like the surface's own.
void Calculator::Form_Paint(PaintSurface& surface) const {
    const float w = surface.pictureWidth();
    const float h = surface.pictureHeight();
    if (!(w > 0) || !(h > 0))
        return;
    // The "+ w > x" tests stop a loop that single precision could no longer advance.
    for (float y = 0; y < surface.scaleHeight() && y + h > y; y += h) {
        for (float x = 0; x < surface.scaleWidth() && x + w > x; x += w)
            surface.paintPicture(x, y, w, h);
    }
}

void Calculator::Form_Unload() {
    UnhookButton(Ctl::EDM);
}

} // namespace tarvelio
