// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

#include "core/currency/currencytable.h"
#include "core/engine/texts.h"
#include "core/input/keycodes.h"
#include "core/window/layout.h"

namespace tarvelio {

// Builds the table and the chooser's list, once, and puts the chooser into its default:
// the Deutsche Mark.
void Calculator::setUpCurrencies() {
    auto& c = m_currency;
    fillFromTable(c);
    for (const auto& code : c.CurrencyCodes)
        m_form.addItem(Ctl::Combo1, code);
    m_form.setCaption(Ctl::Combo1, c.CurrencyCodes.front());
    m_form.bringToFront(Ctl::Combo1);
    c.CurrencyIndex = kDeutscheMarkIndex;
    m_form.setListIndex(Ctl::Combo1, kDeutscheMarkIndex);
    c.DmMode = true;
    c.ListDroppedDown = false;
}

std::optional<double> Calculator::converted(const CalcValue& value, bool toEuro) const {
    const double rate = m_currency.CurrencyRates.at(static_cast<std::size_t>(m_currency.CurrencyIndex));
    return tarvelio::converted(value, rate, toEuro, m_format);
}

// Replaces the readout by its converted value, marks it as a result, to be announced, and
// leaves only the button of the opposite direction enabled, with the focus. A readout that
// is no number (a lone "-", "Division durch 0") or a result beyond the range changes
// nothing but shows "Fehler", as an operator would.
void Calculator::convertReadout(bool toEuro, std::string unit) {
    m_form.announce(Ctl::Readout);
    const auto value = converted(m_state.ReadoutText, toEuro);
    if (!value) {
        m_form.setCaption(Ctl::Readout, std::string(texts::kError));
        return;
    }
    const Ctl pressed = toEuro ? Ctl::DME : Ctl::EDM;
    const Ctl opposite = toEuro ? Ctl::EDM : Ctl::DME;
    setReadout(*value);
    m_state.DecimalEntered = 0;
    m_state.ResultShown = true;
    m_form.setEnabled(pressed, false);
    m_form.setEnabled(opposite, true);
    m_form.setFocus(opposite);
    m_form.setCaption(Ctl::Label2, std::move(unit));
}

// National currency to Euro: divided by the rate, never multiplied by its inverse.
void Calculator::DME_Click() {
    convertReadout(true, std::string(texts::kEuroLabel));
}

// Euro to the national currency. While the chooser covers this button the keyboard can
// still run it; the unit label then names the chosen currency, which is what the number
// is in, rather than "DM".
void Calculator::EDM_Click() {
    convertReadout(
        false, m_form.control(Ctl::Combo1).visible ? currencyCode() : std::string(texts::kDefaultModeCode));
}

std::string Calculator::currencyCode() const {
    return m_currency.CurrencyCodes.at(static_cast<std::size_t>(m_currency.CurrencyIndex));
}

std::string Calculator::chooserAccessibleName() const {
    return std::string(layoutOf(Ctl::Combo1).accessibleName)
        .append(texts::kNameSeparator)
        .append(currencyCode());
}

std::string Calculator::chooserEntryName(std::size_t position) const {
    return entryName(m_currency, position);
}

std::string Calculator::currencyName() const {
    return m_currency.CurrencyNames.at(static_cast<std::size_t>(m_currency.CurrencyIndex));
}

// Shows the Euro amount in the currency in use. A Euro amount that is no number leaves
// the readout and the unit label as they are.
bool Calculator::showEuroAmount() {
    const auto national = converted(m_currency.EuroAmount, false);
    if (national)
        setReadout(*national);
    return national.has_value();
}

// Screen readers hear the entry chosen, as the list shows only its code, and the amount
// in that currency.
void Calculator::Combo1_Click() {
    auto& c = m_currency;
    bool convertedOk = false;
    if (m_form.control(Ctl::Combo1).visible)
        m_form.announce(Ctl::Combo1);
    if (m_form.caption(Ctl::Combo1) == texts::kDefaultModeCode) {
        c.CurrencyIndex = kDeutscheMarkIndex;
        m_form.setListIndex(Ctl::Combo1, kDeutscheMarkIndex);
        convertedOk = showEuroAmount();
        if (convertedOk) {
            m_form.setCaption(Ctl::Label2, std::string(texts::kDefaultModeCode));
            m_form.announce(Ctl::Readout);
        }
        m_form.setVisible(Ctl::Combo1, false);
        m_form.setVisible(Ctl::EDM, true);
        m_form.setEnabled(Ctl::EDM, false);
        c.DmMode = true;
        m_form.setToolTip(Ctl::DME, std::string(texts::kDeutscheMarkToEuro));
    } else {
        PressRightArrow();
        const int position = m_form.control(Ctl::Combo1).listIndex;
        if (position < 0 || position >= static_cast<int>(c.CurrencyRates.size()))
            return;
        c.CurrencyIndex = static_cast<std::int16_t>(position);
        convertedOk = showEuroAmount();
        if (convertedOk) {
            m_form.setCaption(Ctl::Label2, currencyCode());
            m_form.announce(Ctl::Readout);
        }
    }
    m_form.setToolTip(Ctl::Combo1, std::string(texts::kFromEuroPrefix) + currencyName());
    m_form.setEnabled(Ctl::DME, true);
    if (m_form.control(Ctl::Combo1).visible)
        m_form.setToolTip(Ctl::DME, currencyName() + std::string(texts::kToEuroSuffix));
}

// The readout is taken as a Euro amount and shown in the currency in use, unless the
// focus returns from the chooser's own list.
void Calculator::Combo1_GotFocus() {
    auto& c = m_currency;
    if (c.DmMode) {
        c.DmMode = false;
        c.CurrencyIndex = kDeutscheMarkIndex;
    }
    if (!c.ListDroppedDown) {
        PressRightArrow();
        c.EuroAmount = m_state.ReadoutText;
        if (showEuroAmount()) {
            m_form.setEnabled(Ctl::DME, true);
            m_form.setToolTip(Ctl::Combo1, std::string(texts::kFromEuroPrefix) + currencyName());
            m_form.setCaption(Ctl::Label2, currencyCode());
            m_form.announce(Ctl::Readout);
        }
    }
    c.ListDroppedDown = false;
}

void Calculator::Combo1_LostFocus() {
    m_state.DecimalEntered = 0;
    m_state.ResultShown = true;
    m_currency.ListDroppedDown = false;
}

void Calculator::Combo1_DropDown() {
    m_currency.ListDroppedDown = true;
}

// Enter, Up, Right and Down belong to the chooser; any other key hands the focus back to
// "=", so that typing goes on to the calculator.
void Calculator::Combo1_KeyDown(std::int16_t keyCode, std::int16_t) {
    if (!keys::chooserKeeps(keyCode))
        m_form.setFocus(Ctl::Equals);
}

} // namespace tarvelio
