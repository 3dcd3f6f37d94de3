// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tarvelio {

// The system clipboard, plain text only.
class Clipboard {
public:
    // Replaces whatever the clipboard held by the text; false when it could not be written.
    virtual bool putText(const std::string& text) = 0;
    // What a read hands over: the clipboard's text, empty when it holds none, nothing when
    // it cannot be read.
    using TextReply = std::function<void(std::optional<std::string>)>;
    // Reads the clipboard's text and hands it to `reply`, once: at once, or later from the
    // event loop when another program holds the clipboard and answers in its own time.
    virtual void readText(TextReply reply) = 0;

protected:
    ~Clipboard() = default;
};

} // namespace tarvelio
