// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <utility>

// Names a table row after what the row prints ("5_plus_3_eq_gives_8_row0"), so that the list of
// tests and a failure say which row it is. The row's place ends the name: rows that print
// alike still differ.
struct RowName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const {
        static constexpr std::pair<char, std::string_view> kWords[] = {{'+', "plus"}, {'-', "minus"},
            {'/', "div"}, {'=', "eq"}, {'%', "pct"}, {',', "comma"}, {'.', "dot"}, {'|', "sep"}};
        std::string printed = testing::PrintToString(info.param);
        static constexpr std::pair<std::string_view, std::string_view> kSpelled[]
            = {{"->", " gives "}, {"\u00DC", "Ue"}, {"\u00FC", "ue"}, {"\u20AC", "EUR"}};
        for (const auto& [from, to] : kSpelled) {
            for (auto at = printed.find(from); at != std::string::npos; at = printed.find(from))
                printed.replace(at, from.size(), to);
        }
        std::string name;
        const auto gap = [&name] {
            if (!name.empty() && name.back() != '_')
                name += '_';
        };
        for (const unsigned char c : printed) {
            if (name.size() >= 48)
                break;
            if (std::isalnum(c)) {
                name += static_cast<char>(c);
                continue;
            }
            gap();
            for (const auto& [symbol, word] : kWords) {
                if (c == symbol) {
                    name += word;
                    gap();
                }
            }
        }
        gap();
        return name + "row" + std::to_string(info.index);
    }
};
