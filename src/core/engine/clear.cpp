// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/texts.h"

namespace tarvelio {

// C discards the whole calculation, then runs the load handler's every-run steps, so the
// engine is as after a fresh start. The chosen currency and the check box stay.
void Calculator::Cancel_Click() {
    setReadout(m_zeroText);
    m_state.FirstOperand = 0.0;
    m_state.SecondOperand = 0.0;
    m_state.ResultShown = false;
    enableConversions();
    Form_Load();
    m_form.announce(Ctl::Readout);
}

// CE discards only the number being entered; the pending operation survives.
void Calculator::CancelEntry_Click() {
    setReadout(m_zeroText);
    m_state.DecimalEntered = 0;
    m_state.LastInput = texts::kClearEntry;
    m_state.ResultShown = false;
    enableConversions();
    m_form.announce(Ctl::Readout);
}

} // namespace tarvelio
