// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "core/input/memoryclipboard.h"
#include "presses.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <string_view>

namespace tarvelio {
namespace {

// Long use leaves nothing behind: a hundred thousand keys, conversions, copies and pastes
// included, hold the heap where a short warm-up left it.
TEST(LongUse, HundredThousandKeysWithoutMemoryGrowth) {
    MemoryClipboard clipboard;
    clipboard.content = "1.234,56";
    Calculator calc(NumberFormat::german());
    calc.setClipboard(&clipboard);
    calc.Form_Load();
    constexpr std::string_view keys = "12+3=4*5-6/7%8d\x80r9,5e\x03\x16"
                                      "c2/0=+1=C";
    auto run = [&](int count) {
        for (int i = 0; i < count; ++i) {
            std::int16_t code = static_cast<unsigned char>(keys[static_cast<std::size_t>(i) % keys.size()]);
            calc.HandleKey(code);
            if (i % 97 == 0)
                calc.EdmRightButtonDown();
            if (i % 89 == 0)
                calc.form().userSelect(Ctl::Combo1, i % 13);
            calc.form().takeChanges();
        }
    };
    run(5'000);
    const auto before = mallinfo2().uordblks;
    run(100'000);
    const auto after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 64 * 1024) << "heap in use grew from " << before << " to " << after;
}

} // namespace
} // namespace tarvelio
