// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number reader and the two ways numbers are written, on arbitrary input.
//
// The whole input is read as a number text in several formats: the reader must never
// give NaN or infinity (and ASan watches its every access). The first eight bytes, taken
// as a double, and every number the reader found, are then written with numberText and
// with the two-decimal pattern and read back:
// - numberText has 15 significant digits, so its text reads back within 1e-14 relative
//   (5e-15 from the digits, the rest from reading), and writing that number again gives
//   the same text;
// - the two-decimal text reads back within half a cent, plus what rounding to 15 digits
//   first may add (1.004999999999999 shows as 1,01: its 15 digits read 1,00500000000000).

#include "core/engine/numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace tarvelio;

[[noreturn]] void fail(const char* what, std::string_view text, double value) {
    std::fprintf(stderr, "%s: \"%.*s\" (%.17g)\n", what,
        static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data(), value);
    std::fflush(stderr);
    __builtin_trap();
}

const NumberFormat kFormats[] = {
    NumberFormat::german(),
    NumberFormat::english(),
    {",", "\u00A0"},
    {"\u066B", "\u066C"},
};

// Significant digits of a numberText result: those of the mantissa, without the sign,
// the leading zeros and the exponent.
std::size_t significantDigits(std::string_view text) {
    text = text.substr(0, text.find('E'));
    std::size_t n = 0;
    bool leading = true;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        if (c != '0')
            leading = false;
        if (!leading)
            ++n;
    }
    return n;
}

void roundTrips(double d, const NumberFormat& f) {
    if (!std::isfinite(d))
        return;

    const std::string text = numberText(d, f);
    if (significantDigits(text) > 15)
        fail("more than 15 significant digits", text, d);
    const auto back = readNumber(text, f);
    if (!back)
        fail("numberText does not read back", text, d);
    if (!(std::fabs(*back - d) <= 1e-14 * std::fabs(d)))
        fail("numberText reads back too far off", text, d);
    if (numberText(*back, f) != text)
        fail("numberText of the read-back number differs", text, d);

    const std::string twoDecimals = formatPattern(d, "##,##0.00", f);
    const auto cents = readNumber(twoDecimals, f);
    if (!cents)
        fail("two-decimal text does not read back", twoDecimals, d);
    if (!(std::fabs(*cents - d) <= 0.005 + 1e-14 * std::fabs(d)))
        fail("two-decimal text reads back too far off", twoDecimals, d);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NumberFormat& f : kFormats) {
        const auto value = readNumber(text, f);
        if (!value)
            continue;
        if (!std::isfinite(*value))
            fail("the reader gave a value that is not finite", text, *value);
        for (const NumberFormat& g : kFormats)
            roundTrips(*value, g);
    }
    if (size >= 8) {
        double d;
        std::memcpy(&d, data, sizeof d);
        for (const NumberFormat& f : kFormats)
            roundTrips(d, f);
    }
    return 0;
}
