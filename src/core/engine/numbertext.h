// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelio {

// The user's number format. Separators are UTF-8 text: several locales use
// non-ASCII ones (U+00A0, U+202F, U+2019).
struct NumberFormat {
    std::string decimalSeparator;
    std::string groupSeparator;

    static NumberFormat german() { return {",", "."}; }
    static NumberFormat english() { return {".", ","}; }
};

// Blanks accepted around a number: those that copying from text editors, spreadsheets
// and web pages leaves behind.
inline constexpr std::string_view kReadableBlanks[] = {" ", "\t", "\r", "\n", "\u00A0", "\u202F"};
// Kinds of group separator users cannot tell apart: where the locale groups with one of a
// kind, the reader takes the others of that kind as well.
inline constexpr std::string_view kSpaceGroupSeparators[] = {" ", "\u00A0", "\u202F", "\u2009"};
inline constexpr std::string_view kApostropheGroupSeparators[] = {"\u2019", "'"};

// Characters (code points) in UTF-8 text; every length limit the user sees counts these.
std::size_t charCount(std::string_view text);

// Where a text can grow without bound (a pasted megabyte), at most this many of its
// characters are shown: the readout draws its end, a tool tip its start and its end.
inline constexpr std::size_t kShownChars = 400;
// The byte offset after the first `n` characters of a text, and where its last `n` begin.
std::size_t afterChars(std::string_view text, std::size_t n);
std::size_t lastChars(std::string_view text, std::size_t n);

// What the readout draws of its caption, right-aligned: its last kShownChars characters.
// A run of blanks or line breaks at its end, which would push every digit out of view,
// is drawn as its first blank alone; the caption itself, which a copy takes, keeps it.
std::string_view drawnReadout(std::string_view caption);

// Reads a text as a number, leniently: blanks around it, an optional sign, digits with
// group separators passed over anywhere in the whole-number part, the decimal separator,
// digits and an optional exponent. No number for anything else, for "inf" and "nan",
// and for values beyond the range of a double; magnitudes too small for a double read as 0.
std::optional<double> readNumber(std::string_view text, const NumberFormat& format);

// The text of a number: at most 15 significant digits, the decimal separator only where
// decimals follow, no group separators. Exponent notation ("1E+15", "1,5E-05") from a
// decimal exponent of 15 upward and below -4.
std::string numberText(double value, const NumberFormat& format);

// Formats a number with a picture pattern: an optional literal prefix, then '#' and '0'
// for whole-number digits (a ',' among them asks for grouping), '.' for the decimal
// separator and '0' or '#' for decimals. Rounds halves away from zero on the value as it
// reads with 15 significant digits, so 977.915 with "0.00" gives 977.92 as a person
// would round it, not 977.91 as the nearest double would. A value that rounds to zero
// loses its sign: "-0,00" would suggest a debt where there is none.
std::string formatPattern(double value, std::string_view pattern, const NumberFormat& format);

} // namespace tarvelio
