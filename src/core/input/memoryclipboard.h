// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/input/clipboard.h"

#include <optional>
#include <string>
#include <utility>

namespace tarvelio {

// A clipboard held in memory, for running the rules away from a desktop. It can be made
// unwritable, or unreadable by emptying `content`.
class MemoryClipboard final : public Clipboard {
public:
    explicit MemoryClipboard(std::string text = {})
        : content(std::move(text)) { }

    bool putText(const std::string& text) override {
        if (!writable)
            return false;
        content = text;
        return true;
    }
    void readText(TextReply reply) override { reply(content); }

    std::optional<std::string> content;
    bool writable = true;
};

} // namespace tarvelio
