// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "input/clipboard.h"

namespace tarvelio {

// The desktop's clipboard through Qt, text only.
class QtClipboard final : public Clipboard {
public:
    bool putText(const std::string& text) override;
    std::optional<std::string> text() const override;

    // Whether the last text read was large; the toolkit keeps its own copy of it until
    // the clipboard changes hands.
    bool readLargeText() const { return m_readLarge; }
    static constexpr std::size_t kLargeText = 1 << 20;

private:
    mutable bool m_readLarge = false;
};

} // namespace tarvelio
