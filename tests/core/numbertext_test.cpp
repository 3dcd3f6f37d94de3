// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/numbertext.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace tarvelio {
namespace {

const NumberFormat de = NumberFormat::german();
const NumberFormat en = NumberFormat::english();

struct ReadCase {
    const char* text;
    bool german;
    std::optional<double> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text << (c.german ? "\" de" : "\" en");
}

class ReadNumber : public testing::TestWithParam<ReadCase> { };

TEST_P(ReadNumber, ReadsOrRefuses) {
    const auto& c = GetParam();
    const auto got = readNumber(c.text, c.german ? de : en);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (got)
        EXPECT_EQ(*got, *c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Accepted, ReadNumber,
    testing::Values(ReadCase {"0,", true, 0.0}, ReadCase {"5,", true, 5.0}, ReadCase {",5", true, 0.5},
        ReadCase {"53,7", true, 53.7}, ReadCase {"-0,5", true, -0.5}, ReadCase {"+3", true, 3.0},
        ReadCase {"1.5", true, 15.0}, ReadCase {"1.234.567,89", true, 1234567.89},
        ReadCase {"1.2.3", true, 123.0}, ReadCase {"007,", true, 7.0}, ReadCase {"1E3", true, 1000.0},
        ReadCase {"1,5e-2", true, 0.015}, ReadCase {"2E+3", true, 2000.0}, ReadCase {"1E+20", true, 1e20},
        ReadCase {"  12,5  ", true, 12.5}, ReadCase {"\t7\r\n", true, 7.0},
        ReadCase {"\u00A08\u00A0", true, 8.0},
        ReadCase {"1,7976931348623157E308", true, 1.7976931348623157e308}, ReadCase {"1e-400", true, 0.0},
        ReadCase {"1.5", false, 1.5}, ReadCase {"1,5", false, 15.0}, ReadCase {"1,234.5", false, 1234.5},
        ReadCase {"-0.25", false, -0.25}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(Refused, ReadNumber,
    testing::Values(ReadCase {"", true, {}}, ReadCase {"   ", true, {}}, ReadCase {"-", true, {}},
        ReadCase {",", true, {}}, ReadCase {"Division durch 0", true, {}},
        ReadCase {"\u00DCberlauf", true, {}}, ReadCase {"Fehler", true, {}}, ReadCase {"1,2,3", true, {}},
        ReadCase {"12a", true, {}}, ReadCase {"e5", true, {}}, ReadCase {"1e", true, {}},
        ReadCase {"1e+", true, {}}, ReadCase {"1e400", true, {}}, ReadCase {"-1e400", true, {}},
        ReadCase {"1,8E308", true, {}}, ReadCase {"inf", true, {}}, ReadCase {"-inf", true, {}},
        ReadCase {"NaN", true, {}}, ReadCase {"1 234", true, {}}, ReadCase {"--5", true, {}},
        ReadCase {"\uFF11\uFF12", true, {}}, ReadCase {"\u0661", true, {}}, ReadCase {"0x10", true, {}},
        ReadCase {"1.5.", false, {}}),
    RowName {});

// Texts pasted from documents and other programs in the settings that group with a space
// or an apostrophe: every kind of space, and a typed apostrophe, count as the group
// separator there, and nowhere else.
struct LocaleCase {
    const char* text;
    const char* locale;
    std::optional<double> expected;
};

void PrintTo(const LocaleCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" " << c.locale;
}

class ReadInLocale : public testing::TestWithParam<LocaleCase> { };

TEST_P(ReadInLocale, GroupsAsUsersTypeThem) {
    const auto& c = GetParam();
    const std::string_view locale = c.locale;
    const NumberFormat format = locale == "fr" ? NumberFormat {",", "\u202F"}
        : locale == "ch"                       ? NumberFormat {".", "\u2019"}
        : locale == "space"                    ? NumberFormat {",", " "}
        : locale == "de"                       ? de
                                               : en;
    EXPECT_EQ(readNumber(c.text, format), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Paste, ReadInLocale,
    testing::Values(LocaleCase {"1 234 567,5", "fr", 1234567.5}, LocaleCase {"1\u00A0234,5", "fr", 1234.5},
        LocaleCase {"1\u202F234,5", "fr", 1234.5}, LocaleCase {"1\u2009234,5", "fr", 1234.5},
        LocaleCase {"1\u202F234,5", "space", 1234.5}, LocaleCase {"1'234,5", "fr", {}},
        LocaleCase {"1'234.5", "ch", 1234.5}, LocaleCase {"1\u2019234.5", "ch", 1234.5},
        LocaleCase {"1 234.5", "ch", {}}, LocaleCase {"1 234,5", "de", {}}, LocaleCase {"1'234,5", "de", {}},
        LocaleCase {"1.5", "de", 15.0}, LocaleCase {"1\u00A0234.5", "en", {}},
        LocaleCase {"1,234.5", "en", 1234.5}),
    RowName {});

TEST(ReadNumberLong, MegabyteOfDigits) {
    std::string fits(1'000'000, '0');
    fits += '1';
    EXPECT_EQ(readNumber(fits, de), 1.0);
    std::string overflows = "1" + std::string(1'000'000, '0');
    EXPECT_EQ(readNumber(overflows, de), std::nullopt);
    std::string tiny = "0," + std::string(1'000'000, '0') + "1";
    EXPECT_EQ(readNumber(tiny, de), 0.0);
}

// Only the first digits are kept, but a non-zero digit far behind them still decides a
// rounding that lies exactly halfway between two doubles.
TEST(ReadNumberLong, DigitsFarBehindStillRound) {
    const std::string halfway = "1,00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(readNumber(halfway, de), 1.0);
    EXPECT_EQ(readNumber(halfway + std::string(900, '0') + "1", de), std::nextafter(1.0, 2.0));
    EXPECT_EQ(readNumber(halfway + std::string(900, '0'), de), 1.0);
    const std::string wholeDigits = "1" + std::string(1000, '0');
    EXPECT_EQ(readNumber(wholeDigits + "e-1000", de), 1.0);
    EXPECT_EQ(readNumber("12" + std::string(998, '0') + "e-998", de), 12.0);
}

// What the readout draws of its caption: blanks after the number never push every digit
// out of view, one blank around it stays, and of a long caption its end is drawn.
TEST(DrawnReadout, KeepsTheDigitsInView) {
    const std::string digits(500, '7');
    const struct {
        std::string caption, drawn;
    } rows[] = {
        {"1" + std::string(1000, ' '), "1 "},
        {"1" + std::string(300, '\n'), "1\n"},
        {" 12 ", " 12 "},
        {"12\r\n", "12\r"},
        {"\u00A012\u00A0\u202F", "\u00A012\u00A0"},
        {"-" + digits, std::string(400, '7')},
        {"\u00DCberlauf", "\u00DCberlauf"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(drawnReadout(r.caption), r.drawn) << r.caption.substr(0, 20);
}

TEST(ReadNumberLong, HugeExponentIsRefusedNotWrapped) {
    EXPECT_EQ(readNumber("1e99999999999999999999", de), std::nullopt);
    EXPECT_EQ(readNumber("1e-99999999999999999999", de), 0.0);
}

struct TextCase {
    double value;
    const char* german;
    const char* english;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.english;
}

class NumberText : public testing::TestWithParam<TextCase> { };

TEST_P(NumberText, WritesFifteenDigits) {
    const auto& c = GetParam();
    EXPECT_EQ(numberText(c.value, de), c.german);
    EXPECT_EQ(numberText(c.value, en), c.english);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberText,
    testing::Values(TextCase {8, "8", "8"}, TextCase {2.5, "2,5", "2.5"}, TextCase {-2.5, "-2,5", "-2.5"},
        TextCase {0, "0", "0"}, TextCase {-0.0, "0", "0"}, TextCase {0.1 + 0.2, "0,3", "0.3"},
        TextCase {1.0 / 3, "0,333333333333333", "0.333333333333333"},
        TextCase {2.0 / 3, "0,666666666666667", "0.666666666666667"},
        TextCase {195.583, "195,583", "195.583"},
        TextCase {9999999999.994, "9999999999,994", "9999999999.994"},
        TextCase {10000000000, "10000000000", "10000000000"},
        TextCase {999999999999999, "999999999999999", "999999999999999"},
        TextCase {123456789012345.6, "123456789012346", "123456789012346"},
        TextCase {999999999999999.9, "1E+15", "1E+15"}, TextCase {1e15, "1E+15", "1E+15"},
        TextCase {1e20, "1E+20", "1E+20"}, TextCase {-1.5e300, "-1,5E+300", "-1.5E+300"},
        TextCase {1e-4, "0,0001", "0.0001"}, TextCase {1.5e-5, "1,5E-05", "1.5E-05"},
        TextCase {5e-324, "4,94065645841247E-324", "4.94065645841247E-324"},
        TextCase {std::numeric_limits<double>::max(), "1,79769313486231E+308", "1.79769313486231E+308"},
        TextCase {-1.7976931348623151e308, "-1,79769313486231E+308", "-1.79769313486231E+308"}),
    RowName {});

TEST(NumberText, EveryTextReadsBack) {
    for (double v : {1.0 / 3, 1e20, -1.5e-7, 195.583, 1e-300, 123456.789, std::numeric_limits<double>::max(),
             -std::numeric_limits<double>::max()}) {
        const auto back = readNumber(numberText(v, de), de);
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14);
        const auto cents = readNumber(formatPattern(v, "##,##0.00", de), de);
        ASSERT_TRUE(cents.has_value()) << v;
        EXPECT_NEAR(*cents, v, 0.005 + std::fabs(v) * 1e-14);
    }
}

TEST(NumberText, NonFiniteNeverPassesAsANumber) {
    const auto inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(numberText(inf, de), "\u00DCberlauf");
    EXPECT_EQ(readNumber(numberText(-inf, de), de), std::nullopt);
    EXPECT_EQ(readNumber(numberText(std::nan(""), de), de), std::nullopt);
    EXPECT_EQ(readNumber(formatPattern(inf, "##,##0.00", de), de), std::nullopt);
}

struct PatternCase {
    double value;
    const char* pattern;
    bool german;
    const char* expected;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.pattern << ' ' << c.expected;
}

class Pattern : public testing::TestWithParam<PatternCase> { };

TEST_P(Pattern, Formats) {
    const auto& c = GetParam();
    EXPECT_EQ(formatPattern(c.value, c.pattern, c.german ? de : en), c.expected) << c.value;
}

INSTANTIATE_TEST_SUITE_P(SeparatorTexts, Pattern,
    testing::Values(PatternCase {0, "0.", true, "0,"}, PatternCase {0, ".", true, ","},
        PatternCase {0, "-0.", true, "-0,"}, PatternCase {0, "0.", false, "0."},
        PatternCase {0, ".", false, "."}, PatternCase {0, "-0.", false, "-0."}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(TwoDecimals, Pattern,
    testing::Values(PatternCase {0, "##,##0.00", true, "0,00"},
        PatternCase {1234567, "##,##0.00", true, "1.234.567,00"},
        PatternCase {9999999999.994, "##,##0.00", true, "9.999.999.999,99"},
        PatternCase {10000000000, "##,##0.00", true, "10.000.000.000,00"},
        PatternCase {-999999999.5, "##,##0.00", true, "-999.999.999,50"},
        PatternCase {123, "##,##0.00", true, "123,00"}, PatternCase {0.5, "##,##0.00", true, "0,50"},
        PatternCase {1234567.891, "##,##0.00", false, "1,234,567.89"}),
    RowName {});

// Halves round away from zero on the decimal value, as euro conversions must; the
// nearest doubles of these values lie below the half, so binary rounding gets them wrong.
INSTANTIATE_TEST_SUITE_P(LegalRounding, Pattern,
    testing::Values(PatternCase {977.915, "##,##0.00", true, "977,92"},
        PatternCase {3279.785, "##,##0.00", true, "3.279,79"}, PatternCase {2.675, "##,##0.00", true, "2,68"},
        PatternCase {1.005, "##,##0.00", true, "1,01"}, PatternCase {0.125, "##,##0.00", true, "0,13"},
        PatternCase {-0.005, "##,##0.00", true, "-0,01"},
        PatternCase {-977.915, "##,##0.00", true, "-977,92"},
        PatternCase {999.995, "##,##0.00", true, "1.000,00"}, PatternCase {0.994, "##,##0.00", true, "0,99"}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(NegativeZero, Pattern,
    testing::Values(PatternCase {-0.004, "##,##0.00", true, "0,00"},
        PatternCase {-0.0, "##,##0.00", true, "0,00"}, PatternCase {-1e-300, "##,##0.00", false, "0.00"}),
    RowName {});

TEST(Pattern, HugeValuesKeepAllTheirDigits) {
    const std::string text = formatPattern(1e300, "##,##0.00", de);
    EXPECT_EQ(text.substr(0, 4), "1.00");
    EXPECT_EQ(text.size(), 301u + 100u + 3u);
}

TEST(CharCount, CountsCodePoints) {
    EXPECT_EQ(charCount("\u00DCberlauf"), 8u);
    EXPECT_EQ(charCount("1\u202F234,00"), 8u);
    EXPECT_EQ(charCount(""), 0u);
}

} // namespace
} // namespace tarvelio
