// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace tarvelio {

// The system clipboard, plain text only.
class Clipboard {
public:
    // Replaces whatever the clipboard held by the text; false when it could not be written.
    virtual bool putText(const std::string& text) = 0;
    // The clipboard's text: empty when it holds none, nothing when it cannot be read.
    virtual std::optional<std::string> text() const = 0;

protected:
    ~Clipboard() = default;
};

} // namespace tarvelio
