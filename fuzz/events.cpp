// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the calculator's rules with event sequences decoded from the input, and checks
// after every event what must hold whatever the user did.
//
// The first byte picks the number format (its value modulo 8, so "0" is German and "1"
// English). Every further byte is one event:
//   0x00-0x7F  a key typing that character code at the focus (3 copies, 22 pastes)
//   0x80-0x9C  a click on control 0-28 (in Ctl order), disabled and hidden ones included
//   0x9D       a right-button press on "DM"
//   0x9E       the user opens the chooser's list (and so gives it the focus)
//   0x9F       the euro key (128)
//   0xA0-0xBC  the focus moves to control 0-28
//   0xBD n     a choice from the chooser's list: position n % 15 - 1
//   0xBE k k s a key that types nothing: 16-bit key code, shift state (Shift, Ctrl, Alt)
//   0xBF k k   a key typing an arbitrary 16-bit character code
//   0xC0 n ... the clipboard now holds the next n bytes (0xC5 n n ...: a 16-bit length)
//   0xC1       the clipboard holds nothing readable
//   0xC2       writing to the clipboard fails, or works again
//   0xC3 iiii  a choice from the chooser's list at any 32-bit position
//   0xC4 n     Enter, Up, Right or Down
//   0xC6-0xFF  common keys, for density
// fuzz/make_seeds.py writes the seed corpus in this encoding.

#include "core/calculator.h"
#include "core/currency/currencytable.h"
#include "core/engine/texts.h"
#include "core/input/keycodes.h"
#include "core/input/memoryclipboard.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace tarvelio;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

void check(bool ok, const char* what) {
    if (!ok)
        fail(what);
}

NumberFormat formatFor(std::uint8_t b) {
    switch (b % 8) {
    case 1:
        return NumberFormat::english();
    case 2:
        return {",", "\u00A0"};
    case 3:
        return {",", "\u202F"};
    case 4:
        return {".", "\u2019"};
    case 5:
        return {"\u066B", "\u066C"};
    case 6:
        return {".", "'"};
    default:
        return NumberFormat::german();
    }
}

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size) { }
    bool empty() const { return m_at >= m_size; }
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t word() {
        const std::uint16_t hi = byte();
        return static_cast<std::uint16_t>(hi << 8 | byte());
    }
    std::uint32_t dword() {
        const std::uint32_t hi = word();
        return hi << 16 | word();
    }
    std::string text(std::size_t length) {
        length = std::min(length, m_size - std::min(m_at, m_size));
        std::string out(reinterpret_cast<const char*>(m_data + m_at), length);
        m_at += length;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

Ctl control(std::size_t index) {
    return static_cast<Ctl>(index % kControlCount);
}

bool isNumberText(const std::string& text, const NumberFormat& format) {
    return readNumber(text, format).has_value();
}

bool oneOf(std::string_view s, std::initializer_list<std::string_view> options) {
    for (auto o : options) {
        if (s == o)
            return true;
    }
    return false;
}

struct Desk {
    NumberFormat format;
    MemoryClipboard clipboard;
    Calculator calc;
    CalcState freshState;
    // The text the last accepted paste put on the readout: the length limit of typed
    // entries does not bind it.
    std::optional<std::string> pasted;
    bool pasteTried = false;

    explicit Desk(NumberFormat f)
        : format(f)
        , calc(std::move(f)) {
        calc.setClipboard(&clipboard);
        calc.Form_Load();
        settle();
        freshState = calc.state();
    }

    // What the toolkit does after each forwarded event: take the model's changes and
    // deliver the queued Right-arrow presses to the control with the focus.
    void settle() {
        const FormChanges changes = calc.form().takeChanges();
        for (int i = 0; i < changes.rightArrows; ++i)
            press({keys::kRight, 0, std::nullopt});
        calc.form().takeChanges();
    }

    // A key at the control with the focus, through the window's own entry.
    void press(const keys::KeyPress& key) { calc.form().userKey(calc.form().focus(), key); }

    // A key that types `code` and nothing else: letters and digits are their keys. Returns
    // whether it pressed C, which only a key outside the chooser does.
    bool key(std::int16_t code) {
        const bool alphanumeric
            = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
        const auto identity = static_cast<std::int16_t>(code >= 'a' && code <= 'z' ? code - 32 : code);
        const bool atChooser = calc.form().focus() == Ctl::Combo1;
        press({alphanumeric ? identity : keys::kOutside, 0, code});
        pasteTried = pasteTried || (code == keys::kPaste && !atChooser);
        return (code == 'C' || code == 'c') && !atChooser;
    }

    bool clickTaken(Ctl c) const {
        const ControlState& s = calc.form().control(c);
        return calc.form().windowVisible() && s.visible && s.enabled;
    }

    // Runs one event; returns whether it pressed C, by click or by key.
    bool run(Bytes& in) {
        static constexpr char kCommonKeys[] = "0123456789012345678901234567890123456789+-*/=%,.CcEeDdRr";
        const std::uint8_t b = in.byte();
        bool cleared = false;
        pasteTried = false;
        if (b < 0x80) {
            cleared = key(b);
        } else if (b <= 0x9C) {
            const Ctl c = control(b - 0x80u);
            cleared = c == Ctl::Cancel && clickTaken(c);
            pasteTried = c == Ctl::cPaste;
            calc.form().userClick(c);
        } else if (b == 0x9D) {
            calc.EdmRightButtonDown();
        } else if (b == 0x9E) {
            calc.form().userDropDown(Ctl::Combo1);
        } else if (b == 0x9F) {
            key(keys::kEuro);
        } else if (b <= 0xBC) {
            calc.form().userFocus(control(b - 0xA0u));
        } else if (b == 0xBD) {
            calc.form().userSelect(Ctl::Combo1, in.byte() % 15 - 1);
        } else if (b == 0xBE) {
            const auto code = static_cast<std::int16_t>(in.word());
            press({code, static_cast<std::int16_t>(in.byte() % 8), std::nullopt});
        } else if (b == 0xBF) {
            cleared = key(static_cast<std::int16_t>(in.word()));
        } else if (b == 0xC0) {
            clipboard.content = in.text(in.byte());
        } else if (b == 0xC1) {
            clipboard.content.reset();
        } else if (b == 0xC2) {
            clipboard.writable = !clipboard.writable;
        } else if (b == 0xC3) {
            calc.form().userSelect(Ctl::Combo1, static_cast<std::int32_t>(in.dword()));
        } else if (b == 0xC4) {
            static constexpr std::int16_t kChooserKeys[]
                = {keys::kEnter, keys::kUp, keys::kRight, keys::kDown};
            press({kChooserKeys[in.byte() % 4], 0, std::nullopt});
        } else if (b == 0xC5) {
            clipboard.content = in.text(in.word());
        } else {
            cleared = key(kCommonKeys[(b - 0xC6u) % (sizeof kCommonKeys - 1)]);
        }
        settle();
        return cleared;
    }

    void checkAfter(
        const CalcState& before, const CurrencyState& currencyBefore, bool focusOnChooser, bool cleared) {
        const CalcState& s = calc.state();
        const CurrencyState& c = calc.currency();
        const Form& form = calc.form();

        check(c.CurrencyIndex >= 0 && c.CurrencyIndex < static_cast<int>(kCurrencies.size()),
            "currency index out of the table");
        check(form.control(Ctl::Combo1).items.size() == kCurrencies.size() + 1,
            "the chooser's list lost or gained entries");
        check(s.DecimalEntered == 0 || s.DecimalEntered == -1, "DecimalEntered neither 0 nor -1");
        check(s.OperandCount >= 0, "negative operand count");
        check(oneOf(s.LastInput,
                  {texts::kNone, texts::kNums, texts::kOps, texts::kNeg, texts::kClearEntry,
                      texts::kPercentTaken}),
            "unknown kind of last input");
        check(oneOf(s.PendingOperator, {" ", "+", "-", "X", "/", "="}), "unknown pending operator");

        // A paste that was taken leaves the clipboard's text on the readout.
        if (pasteTried && s.ReadoutText.isText() && clipboard.content
            && s.ReadoutText.text() == *clipboard.content)
            pasted = s.ReadoutText.text();

        // Typing stops at 24 characters.
        if (s.LastInput == texts::kNums && !s.ResultShown && s.ReadoutText.isText()
            && s.ReadoutText.text() != pasted)
            check(charCount(s.ReadoutText.text()) <= 24, "typed entry longer than 24 characters");

        const std::string& caption = form.caption(Ctl::Readout);
        const auto hasDigit = [](std::string_view text) {
            return std::any_of(text.begin(), text.end(), [](char d) { return d >= '0' && d <= '9'; });
        };
        check(!hasDigit(caption) || hasDigit(drawnReadout(caption)), "the readout draws none of its digits");
        if (form.control(Ctl::Digits2).value == 1) {
            check(charCount(caption) <= 16 || caption == texts::kOverflow || caption == texts::kError
                    || !isNumberText(caption, format),
                "two-decimal readout longer than 16 characters");
        } else {
            check(caption == textOf(s.ReadoutText, format) || caption == texts::kError,
                "raw readout shows neither the entry nor the error");
        }

        if (cleared) {
            CalcState expected = freshState;
            expected.FirstOperand = 0.0;
            expected.SecondOperand = 0.0;
            expected.PreviousReadout = before.PreviousReadout;
            check(s == expected, "C did not restore the fresh start");
            CurrencyState expectedCurrency = currencyBefore;
            // The focus moves to "=", and the chooser losing it forgets its dropped list.
            if (focusOnChooser)
                expectedCurrency.ListDroppedDown = false;
            check(c == expectedCurrency, "C changed the currency");
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    try {
        Desk desk(formatFor(data[0]));
        Bytes in(data + 1, size - 1);
        desk.checkAfter(desk.calc.state(), desk.calc.currency(), false, false);
        while (!in.empty()) {
            const CalcState before = desk.calc.state();
            const CurrencyState currencyBefore = desk.calc.currency();
            const bool focusOnChooser = desk.calc.form().focus() == Ctl::Combo1;
            const bool cleared = desk.run(in);
            desk.checkAfter(before, currencyBefore, focusOnChooser, cleared);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "exception escaped a handler: %s\n", e.what());
        fail("exception");
    } catch (...) {
        fail("exception");
    }
    return 0;
}
