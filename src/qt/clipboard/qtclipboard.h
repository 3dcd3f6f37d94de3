// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/input/clipboard.h"

#include <functional>
#include <memory>

namespace tarvelio {

class AsyncTextReader;

// The desktop's clipboard through Qt, text only. On X11, and on Wayland with Qt 6.5 and
// later, another program's text is read without waiting for it (AsyncTextReader);
// elsewhere, and for the program's own text, the toolkit reads it at once.
class QtClipboard final : public Clipboard {
public:
    // `deliver` runs a reply that comes later, from the event loop: the window applies it
    // as it applies a user's action.
    explicit QtClipboard(std::function<void(const std::function<void()>&)> deliver);
    ~QtClipboard();
    QtClipboard(const QtClipboard&) = delete;
    QtClipboard& operator=(const QtClipboard&) = delete;

    bool putText(const std::string& text) override;
    void readText(TextReply reply) override;
    // Whether a read waits for another program's answer.
    bool reading() const;

    // Whether the last text read was large; the toolkit keeps its own copy of it until
    // the clipboard changes hands.
    bool readLargeText() const { return m_readLarge; }
    static constexpr std::size_t kLargeText = 1 << 20;

private:
    std::optional<std::string> toolkitText();

    std::function<void(const std::function<void()>&)> m_deliver;
    std::unique_ptr<AsyncTextReader> m_reader;
    bool m_readLarge = false;
    bool m_asking = false;
};

} // namespace tarvelio
