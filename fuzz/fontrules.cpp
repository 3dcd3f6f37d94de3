// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader of fontconfig's rule files on arbitrary input: the bytes, split at each zero
// byte, are the files in order. Whatever they hold, the reader never reads outside them,
// and what it keeps is made only of their bytes and keeps itself: read again as one file,
// the kept rules give exactly themselves.

#include "qt/fonts/fontrules.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> files(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            files.emplace_back();
        else
            files.back() += static_cast<char>(data[i]);
    }
    const auto kept = tarvelio::renderingRules(files, "Liberation Sans");
    if (!kept)
        return 0;
    std::size_t total = 0;
    for (const auto& f : files)
        total += f.size() + 1;
    const auto again
        = tarvelio::renderingRules({"<fontconfig>" + *kept + "</fontconfig>"}, "Liberation Sans");
    if (kept->size() > total || !again || *again != *kept) {
        std::fprintf(stderr, "the kept rules do not keep themselves\n");
        std::abort();
    }
    return 0;
}
