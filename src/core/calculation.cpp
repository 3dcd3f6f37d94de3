// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

#include "core/engine/arithmetic.h"
#include "core/engine/entry.h"
#include "core/engine/texts.h"

#include <limits>

namespace tarvelio {

void Calculator::Number_Click(std::int16_t index) {
    const auto button = numberButton(index);
    if (!button)
        return;
    auto& s = m_state;
    if (s.ResultShown) {
        setReadout(m_entryTemplate);
        s.DecimalEntered = 0;
        enableConversions();
        s.ResultShown = false;
    }
    if (s.LastInput != texts::kNums) {
        setReadout(m_entryTemplate);
        s.DecimalEntered = 0;
    }
    std::string text = textOf(s.ReadoutText, m_format);
    if (charCount(text) < kMaxEntryLength)
        setReadout(
            withDigit(std::move(text), m_form.caption(*button), s.DecimalEntered != 0, m_entryTemplate));
    if (s.LastInput == texts::kNeg)
        setReadout(textOf(s.ReadoutText, m_format).insert(0, 1, '-'));
    s.LastInput = texts::kNums;
}

void Calculator::Decimal_Click() {
    auto& s = m_state;
    if (s.ResultShown) {
        setReadout(m_zeroText);
        s.ResultShown = false;
        enableConversions();
    }
    if (s.LastInput == texts::kNeg) {
        setReadout(m_negativeZeroText);
    } else if (s.LastInput != texts::kNums) {
        setReadout(m_zeroText);
    } else {
        // A number being typed carries its separator already, but for one that a
        // conversion left behind: the point ends its whole-number part, while the entry has
        // room for it as for a digit. The readout is drawn again either way, so that an
        // error word on it gives way to the number.
        std::string text = textOf(s.ReadoutText, m_format);
        if (text.find(m_format.decimalSeparator) == std::string::npos && charCount(text) < kMaxEntryLength)
            setReadout(std::move(text) + m_entryTemplate);
        else
            chkdig2();
    }
    s.DecimalEntered = -1;
    s.LastInput = texts::kNums;
}

// Immediate execution, left to right: each operator completes the pending operation, and
// its result becomes the left operand of the next. A failing step shows "Fehler" on the
// readout and leaves the rest undone; what ran before it stays done. A result, an error
// and whatever "=" leaves are announced; an operator that only takes the number typed
// is not, so that typing a calculation stays quiet but for the key echo.
void Calculator::Operator_Click(std::int16_t index) {
    const auto button = operatorButton(index);
    if (!button)
        return;
    const std::string op = m_form.caption(*button);
    if (!operate(op)) {
        m_form.setCaption(Ctl::Readout, std::string(texts::kError));
        m_form.announce(Ctl::Readout);
    } else if (op == "=") {
        m_form.announce(Ctl::Readout);
    }
}

bool Calculator::operate(const std::string& op) {
    auto& s = m_state;
    s.ResultShown = false;
    enableConversions();
    s.PreviousReadout = s.ReadoutText;
    if (s.LastInput == texts::kNums) {
        if (s.OperandCount == std::numeric_limits<std::int16_t>::max())
            return false;
        ++s.OperandCount;
    }
    switch (s.OperandCount) {
    case 0:
        if (op == "-" && s.LastInput != texts::kNeg) {
            setReadout(textOf(s.ReadoutText, m_format).insert(0, 1, '-'));
            s.LastInput = texts::kNeg;
        }
        break;
    case 1:
        s.FirstOperand = s.ReadoutText;
        if (op == "-" && s.LastInput != texts::kNums && s.PendingOperator != "=") {
            setReadout("-");
            s.LastInput = texts::kNeg;
        }
        break;
    case 2: {
        // After "=" the number typed is taken as it is: no result to announce.
        const bool computes = s.PendingOperator != "=";
        s.SecondOperand = s.PreviousReadout;
        auto result = evaluate(s.FirstOperand, s.SecondOperand, s.PendingOperator, m_format);
        if (!result)
            return false;
        s.FirstOperand = std::move(*result);
        setReadout(s.FirstOperand);
        if (computes)
            m_form.announce(Ctl::Readout);
        s.OperandCount = 1;
        break;
    }
    default:
        // Only after a failed evaluation, or a percentage followed by a new number:
        // nothing is evaluated until C.
        break;
    }
    if (s.LastInput != texts::kNeg) {
        s.LastInput = texts::kOps;
        s.PendingOperator = op;
    }
    return true;
}

// The number just typed after an operator becomes that percentage of the left operand.
// An operand that is no number, or a product beyond the range, takes the operator's
// error path: "Fehler" on the readout and no state changed.
void Calculator::Percent_Click() {
    auto& s = m_state;
    if (s.LastInput != texts::kNums || s.OperandCount != 1)
        return;
    const auto product = percentOf(s.FirstOperand, s.ReadoutText, m_format);
    m_form.announce(Ctl::Readout);
    if (!product) {
        m_form.setCaption(Ctl::Readout, std::string(texts::kError));
        return;
    }
    setReadout(*product);
    s.LastInput = texts::kPercentTaken;
    ++s.OperandCount;
    s.DecimalEntered = -1;
    s.ResultShown = false;
}

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
