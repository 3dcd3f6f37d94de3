#pragma once

#include "input/clipboard.h"

namespace tarvelio {

// The desktop's clipboard through Qt, text only.
class QtClipboard final : public Clipboard {
public:
    bool putText(const std::string& text) override;
    std::optional<std::string> text() const override;
};

} // namespace tarvelio
