// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/glyphs.h"
#include "rowname.h"

#include <gtest/gtest.h>

namespace tarvelio {
namespace {

// Faces that draw Latin-1 and a few more, as the window's family does.
bool latinFaces(char32_t c) {
    return c < 0x100 || c == U'\u20AC' || c == U'\u2013' || c == U'\u2026' || c == U'\u2009' || c == U'\u2019'
        || c == U'\u202F';
}

bool withoutEuroSign(char32_t c) {
    return c != U'\u20AC' && latinFaces(c);
}

struct CoverCase {
    const char* locale;
    NumberFormat format;
    bool (*covers)(char32_t);
    bool drawn;
};

void PrintTo(const CoverCase& c, std::ostream* os) {
    *os << c.locale;
}

class Coverage : public testing::TestWithParam<CoverCase> { };

// The small set is used only where it draws every character of the session.
TEST_P(Coverage, DecidesBySeparatorsAndTexts) {
    const CoverCase& c = GetParam();
    EXPECT_EQ(drawsAll(charactersToDraw(c.format), c.covers), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Locales, Coverage,
    testing::Values(CoverCase {"de", NumberFormat::german(), latinFaces, true},
        CoverCase {"en", NumberFormat::english(), latinFaces, true},
        CoverCase {"fr", {",", "\u202F"}, latinFaces, true},
        CoverCase {"ch", {".", "\u2019"}, latinFaces, true},
        CoverCase {"ar", {"\u066B", "\u066C"}, latinFaces, false},
        CoverCase {"no euro sign", NumberFormat::german(), withoutEuroSign, false}),
    RowName {});

} // namespace
} // namespace tarvelio
