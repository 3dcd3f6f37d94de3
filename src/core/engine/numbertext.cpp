// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/numbertext.h"

#include "core/engine/texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <system_error>

namespace tarvelio {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t blankLength(std::string_view s, std::size_t at) {
    for (auto b : kReadableBlanks) {
        if (s.substr(at, b.size()) == b)
            return b.size();
    }
    return 0;
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t n;
    while (!s.empty() && (n = blankLength(s, 0)) > 0)
        s.remove_prefix(n);
    for (bool trimmed = true; trimmed && !s.empty();) {
        trimmed = false;
        for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
            if (blankLength(s, s.size() - back) == back) {
                s.remove_suffix(back);
                trimmed = true;
                break;
            }
        }
    }
    return s;
}

// A finite double as its 15 significant decimal digits: value = 0.d1d2...d15 * 10^(point).
struct Decimal {
    bool negative = false;
    std::string digits; // exactly 15 digits, the first non-zero unless the value is zero
    int point = 0; // digits before the decimal point
};

Decimal toDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.digits.assign(15, '0');
        d.point = 1;
        return d;
    }
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf)); // d.dddddddddddddde[+-]xx
    d.digits.reserve(15);
    d.digits += text[0];
    d.digits.append(text.substr(2, 14));
    int exponent = 0;
    std::from_chars(text.data() + 17 + (text[17] == '+' ? 1 : 0), text.data() + text.size(), exponent);
    d.point = exponent + 1;
    // The largest doubles (from 1.797693134862315E+308) would round up past the range and
    // their text would read as no number; they are rounded down instead.
    constexpr std::string_view kLargestDigits = "179769313486231";
    if (d.point == 309 && d.digits > kLargestDigits)
        d.digits = kLargestDigits;
    return d;
}

std::string_view nonFiniteText(double value) {
    return std::isnan(value) ? texts::kError : texts::kOverflow;
}

} // namespace

std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::size_t afterChars(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && n-- == 0)
            break;
    }
    return at;
}

std::size_t lastChars(std::string_view text, std::size_t n) {
    std::size_t at = text.size();
    while (at > 0 && n > 0) {
        --at;
        n -= (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
    }
    return at;
}

std::string_view drawnReadout(std::string_view caption) {
    std::size_t run = caption.size();
    std::size_t first = 0; // the length of the run's first blank
    for (bool found = true; found && run > 0;) {
        found = false;
        for (std::string_view blank : kReadableBlanks) {
            if (blank.back() == caption[run - 1] && caption.substr(0, run).ends_with(blank)) {
                run -= blank.size();
                first = blank.size();
                found = true;
                break;
            }
        }
    }
    caption = caption.substr(0, run + first);
    return caption.substr(lastChars(caption, kShownChars));
}

// The length of a group separator at the start of `s`, or 0. Users cannot tell the kinds
// of space apart, nor a typed apostrophe from U+2019: where the locale groups with one of
// them, the others count as well. Nothing else does, so where "." or "," groups, a space
// never does.
static std::size_t groupSeparatorAt(std::string_view s, std::string_view group) {
    if (group.empty())
        return 0;
    if (s.substr(0, group.size()) == group)
        return group.size();
    for (const auto& kinds : {std::span<const std::string_view>(kSpaceGroupSeparators),
             std::span<const std::string_view>(kApostropheGroupSeparators)}) {
        if (std::find(kinds.begin(), kinds.end(), group) == kinds.end())
            continue;
        for (std::string_view kind : kinds) {
            if (s.substr(0, kind.size()) == kind)
                return kind.size();
        }
    }
    return 0;
}

std::optional<double> readNumber(std::string_view text, const NumberFormat& format) {
    std::string_view s = trimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';

    const std::string_view dec = format.decimalSeparator;
    std::string_view group = format.groupSeparator;
    if (group == dec)
        group = {};

    // Significant digits without leading zeros, at most kMaxDigits of them: beyond that no
    // digit changes the nearest double except by being non-zero, which a final 1 keeps.
    // `scale` counts the decimals among the kept digits, `dropped` the whole-number digits
    // left out. So a megabyte of digits costs one pass and no megabyte copy.
    constexpr std::size_t kMaxDigits = 800;
    std::string mantissa;
    long long scale = 0;
    long long dropped = 0;
    bool droppedNonZero = false;
    bool anyDigit = false;
    const auto take = [&](char digit, bool decimal) {
        anyDigit = true;
        if (digit == '0' && mantissa.empty()) {
            scale += decimal;
        } else if (mantissa.size() < kMaxDigits) {
            mantissa += digit;
            scale += decimal;
        } else {
            dropped += !decimal;
            droppedNonZero = droppedNonZero || digit != '0';
        }
    };
    for (;;) {
        if (i < s.size() && isDigit(s[i])) {
            take(s[i++], false);
        } else if (const std::size_t n = groupSeparatorAt(s.substr(i), group)) {
            i += n;
        } else {
            break;
        }
    }
    if (!dec.empty() && s.substr(i, dec.size()) == dec) {
        i += dec.size();
        for (; i < s.size() && isDigit(s[i]); ++i)
            take(s[i], true);
    }
    if (!anyDigit)
        return std::nullopt;

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            negativeExponent = s[i++] == '-';
        if (i >= s.size() || !isDigit(s[i]))
            return std::nullopt;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 1'000'000'000'000LL);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;

    const double zero = negative ? -0.0 : 0.0;
    if (droppedNonZero) {
        mantissa += '1';
        ++scale;
    }
    while (!mantissa.empty() && mantissa.back() == '0') {
        mantissa.pop_back();
        --scale;
    }
    if (mantissa.empty())
        return zero;

    // Decimal magnitude: the value lies in [10^(magnitude-1), 10^magnitude).
    const long long power = exponent - scale + dropped;
    const long long magnitude = static_cast<long long>(mantissa.size()) + power;
    if (magnitude > 310)
        return std::nullopt;
    if (magnitude < -330)
        return zero;

    mantissa += 'e';
    mantissa += std::to_string(power);
    double value = 0;
    auto res = std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value);
    if (res.ec == std::errc::result_out_of_range)
        return magnitude > 0 ? std::nullopt : std::optional<double>(zero);
    if (res.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::string numberText(double value, const NumberFormat& format) {
    if (!std::isfinite(value))
        return std::string(nonFiniteText(value));
    if (value == 0)
        return "0";
    Decimal d = toDecimal(value);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();

    std::string out;
    if (d.negative)
        out += '-';
    const int exponent = d.point - 1;
    if (exponent >= 15 || exponent < -4) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += format.decimalSeparator;
            out.append(d.digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (d.point <= 0) {
        out += '0';
        out += format.decimalSeparator;
        out.append(static_cast<std::size_t>(-d.point), '0');
        out += d.digits;
    } else {
        const auto whole = static_cast<std::size_t>(d.point);
        if (d.digits.size() <= whole) {
            out += d.digits;
            out.append(whole - d.digits.size(), '0');
        } else {
            out.append(d.digits, 0, whole);
            out += format.decimalSeparator;
            out.append(d.digits, whole);
        }
    }
    return out;
}

std::string formatPattern(double value, std::string_view pattern, const NumberFormat& format) {
    if (!std::isfinite(value))
        return std::string(nonFiniteText(value));

    std::size_t body = pattern.find_first_of("#0,.");
    const std::string_view prefix = pattern.substr(0, std::min(body, pattern.size()));
    const std::string_view rest = body == std::string_view::npos ? std::string_view {} : pattern.substr(body);
    const std::size_t pointAt = rest.find('.');
    const std::string_view wholePart = rest.substr(0, pointAt);
    const std::string_view fracPart
        = pointAt == std::string_view::npos ? std::string_view {} : rest.substr(pointAt + 1);
    std::size_t minWhole = 0, minFrac = 0, maxFrac = 0;
    for (char c : wholePart)
        minWhole += c == '0';
    for (char c : fracPart) {
        minFrac += c == '0';
        maxFrac += c == '0' || c == '#';
    }
    const bool grouping = wholePart.find(',') != std::string_view::npos;

    // Split the 15-digit decimal into whole and fractional digits, then round at maxFrac.
    const Decimal d = toDecimal(value);
    std::string whole, frac;
    if (d.point > 0) {
        const auto p = static_cast<std::size_t>(d.point);
        whole = d.digits.substr(0, p);
        if (whole.size() < p)
            whole.append(p - whole.size(), '0');
        if (p < d.digits.size())
            frac = d.digits.substr(p);
    } else {
        frac.assign(static_cast<std::size_t>(-d.point), '0');
        frac += d.digits;
    }
    const bool roundUp = frac.size() > maxFrac && frac[maxFrac] >= '5';
    frac.resize(std::min(frac.size(), maxFrac));
    if (roundUp) {
        std::string all = whole + frac;
        std::size_t k = all.size();
        while (k > 0 && all[k - 1] == '9')
            all[--k] = '0';
        if (k == 0)
            all.insert(all.begin(), '1');
        else
            ++all[k - 1];
        whole = all.substr(0, all.size() - frac.size());
        frac = all.substr(all.size() - frac.size());
    }

    std::size_t firstNonZero = whole.find_first_not_of('0');
    whole.erase(0, std::min(firstNonZero, whole.size()));
    if (whole.size() < minWhole)
        whole.insert(0, minWhole - whole.size(), '0');
    while (frac.size() > minFrac && frac.back() == '0')
        frac.pop_back();
    if (frac.size() < minFrac)
        frac.append(minFrac - frac.size(), '0');
    const bool nonZero = whole.find_first_not_of('0') != std::string::npos
        || frac.find_first_not_of('0') != std::string::npos;

    std::string out(prefix);
    if (d.negative && nonZero)
        out += '-';
    if (grouping && whole.size() > 3) {
        for (std::size_t k = 0; k < whole.size(); ++k) {
            if (k > 0 && (whole.size() - k) % 3 == 0)
                out += format.groupSeparator;
            out += whole[k];
        }
    } else {
        out += whole;
    }
    if (pointAt != std::string_view::npos)
        out += format.decimalSeparator;
    out += frac;
    return out;
}

} // namespace tarvelio
