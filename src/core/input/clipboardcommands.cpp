// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/texts.h"

namespace tarvelio {

// Puts the readout's caption on the clipboard exactly as shown. Only a copy that reached
// the clipboard marks the display as handed over.
void Calculator::cCopy_Click() {
    if (!m_clipboard || !m_clipboard->putText(m_form.caption(Ctl::Readout)))
        return;
    m_state.ResultShown = true;
    enableConversions();
}

// Takes a number from the clipboard as the current entry, as the text stands. Anything
// that is not a number, an empty or unreadable clipboard included, changes nothing.
void Calculator::cPaste_Click() {
    if (!m_clipboard)
        return;
    auto text = m_clipboard->text();
    if (!text || !readNumber(*text, m_format))
        return;
    setReadout(std::move(*text));
    m_state.DecimalEntered = -1;
    m_state.LastInput = texts::kNums;
    m_state.ResultShown = true;
    enableConversions();
    m_form.announce(Ctl::Readout);
}

} // namespace tarvelio
