// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/currency/currency.h"
#include "core/engine/calcvalue.h"
#include "core/engine/numbertext.h"
#include "core/input/clipboard.h"
#include "core/window/form.h"
#include "core/window/paintsurface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelio {

// The whole state of the running calculation.
struct CalcState {
    CalcValue FirstOperand;
    CalcValue SecondOperand;
    std::int16_t DecimalEntered = 0; // 0 no, -1 yes
    std::int16_t OperandCount = 0;
    std::string LastInput = "NONE";
    std::string PendingOperator = " ";
    CalcValue PreviousReadout;
    CalcValue ReadoutText;
    bool ResultShown = false;

    friend bool operator==(const CalcState&, const CalcState&) = default;
};

// The calculator window's rules. It owns the state fields and the model of the controls;
// the toolkit forwards events here and mirrors the model afterwards. The handlers also
// mark what screen readers announce unasked (Form::announce): results, conversions, error
// words, pastes, the two-decimal toggle, clearing and the chooser's entry, but not a typed
// digit, which the screen reader's key echo says already.
class Calculator final : private FormEvents {
public:
    explicit Calculator(NumberFormat format);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    const NumberFormat& format() const { return m_format; }
    Form& form() { return m_form; }
    const Form& form() const { return m_form; }
    CalcState& state() { return m_state; }
    const CalcState& state() const { return m_state; }
    CurrencyState& currency() { return m_currency; }
    const CurrencyState& currency() const { return m_currency; }

    // Window.
    void Form_Load();
    void Form_Paint(PaintSurface& surface) const;
    void Form_Unload();

    // Readout.
    void chkdig2();
    void Digits2_Click();

    // Entry.
    void Number_Click(std::int16_t index);
    void Decimal_Click();

    // Operators, percent, clear.
    void Operator_Click(std::int16_t index);
    void Percent_Click();
    void Cancel_Click();
    void CancelEntry_Click();

    // Conversions and the currency chooser.
    void DME_Click();
    void EDM_Click();
    void Combo1_Click();
    void Combo1_GotFocus();
    void Combo1_LostFocus();
    void Combo1_DropDown();
    void Combo1_KeyDown(std::int16_t keyCode, std::int16_t shift);

    // The right-click hook and the chooser's window helpers. Returns whether the press
    // was taken; a press that is not taken goes on to the button.
    bool EdmRightButtonDown();
    void HookButton(Ctl c);
    void UnhookButton(Ctl c);
    void AddWindowBorder(Ctl c);
    void SetComboReadOnly(Ctl c);
    void PressRightArrow();

    // What screen readers announce for the chooser: its name with the currency in use
    // ("Währung: DEM"), and for each entry its code with the currency's name.
    std::string chooserAccessibleName() const;
    std::string chooserEntryName(std::size_t position) const;

    // Keyboard and clipboard.
    void HandleKey(std::int16_t& keyCode);
    void cCopy_Click();
    void cPaste_Click();
    // The clipboard the copy and paste commands use; without one, copy and paste do nothing.
    void setClipboard(Clipboard* clipboard) { m_clipboard = clipboard; }

private:
    void onClick(Ctl c) override;
    void onGotFocus(Ctl c) override;
    void onLostFocus(Ctl c) override;
    void onDropDown(Ctl c) override;
    bool onKey(std::optional<Ctl> target, const keys::KeyPress& key) override;

    void setUpOnce();
    void setUpCurrencies();
    std::optional<double> converted(const CalcValue& value, bool toEuro) const;
    void convertReadout(bool toEuro, std::string unit);
    bool showEuroAmount();
    std::string currencyCode() const;
    std::string currencyName() const;
    bool operate(const std::string& op);
    void setReadout(CalcValue value);
    void enableConversions();
    void takePasted(std::optional<std::string> text);

    NumberFormat m_format;
    std::string m_zeroText;
    std::string m_entryTemplate;
    std::string m_negativeZeroText;
    Form m_form;
    CalcState m_state;
    CurrencyState m_currency;
    bool m_setUp = false;
    Clipboard* m_clipboard = nullptr;
};

} // namespace tarvelio
