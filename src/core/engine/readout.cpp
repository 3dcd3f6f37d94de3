// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/texts.h"

namespace tarvelio {

// The readout shows the raw text, or the value rounded to two decimals with grouped
// thousands; a formatted value longer than the readout can hold becomes "Überlauf",
// with the full value in the tool tip, and is announced, even while typing.
void Calculator::chkdig2() {
    constexpr std::size_t kMaxFormatted = 16;
    if (m_form.control(Ctl::Digits2).value != 0) {
        const auto number = numberOf(m_state.ReadoutText, m_format);
        m_form.setCaption(Ctl::Readout,
            number ? formatPattern(*number, texts::kTwoDecimals, m_format)
                   : textOf(m_state.ReadoutText, m_format));
        if (charCount(m_form.caption(Ctl::Readout)) > kMaxFormatted) {
            m_form.setCaption(Ctl::Readout, std::string(texts::kOverflow));
            m_form.announce(Ctl::Readout);
        }
        m_form.setToolTip(Ctl::Readout, textOf(m_state.ReadoutText, m_format));
    } else {
        m_form.setCaption(Ctl::Readout, textOf(m_state.ReadoutText, m_format));
        m_form.setToolTip(Ctl::Readout, {});
    }
}

// The readout in its other form is announced.
void Calculator::Digits2_Click() {
    chkdig2();
    m_form.announce(Ctl::Readout);
}

} // namespace tarvelio
