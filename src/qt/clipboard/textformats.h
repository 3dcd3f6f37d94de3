// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/input/clipboard.h"

#include <QByteArray>

#include <memory>
#include <optional>
#include <string>

namespace tarvelio {

// A clipboard format as a text: how good a choice it is (0: not text; higher is better:
// UTF-8 first, then plain text in another character set the toolkit decodes, then Latin-1)
// and the character set its bytes are in (empty: UTF-8).
struct TextFormat {
    // The rank of a "text/plain;charset=…" form in a set the toolkit decodes, and above it
    // the UTF-8 forms.
    static constexpr int kNamedCharset = 3;
    int rank = 0;
    QByteArray charset;
};
TextFormat textFormat(const QByteArray& name);

// The text in UTF-8, as the toolkit would read it: one closing NUL, which some owners send,
// is dropped; bytes that are not text in the character set give none.
std::optional<std::string> decodedText(std::string bytes, const QByteArray& charset);

// Reads another program's clipboard text without waiting for it: the request goes out, and
// the answer comes as events while the window goes on. An owner that leaves an answer out
// longer than `kAnswerTime`, or the whole text longer than `kWholeTime`, is taken as
// having refused.
class AsyncTextReader {
public:
    // A living owner is given as long as the toolkits give one for each answer (some take
    // seconds to produce their text); a silent one holds the paste no longer than that.
    static constexpr int kAnswerTimeMs = 5000;
    // The formats, then the text: two full answer times.
    static constexpr int kWholeTimeMs = 2 * kAnswerTimeMs;
    // More than any number a person pastes; a text beyond it is refused, not kept growing.
    static constexpr std::size_t kMaxBytes = std::size_t {64} << 20;

    virtual ~AsyncTextReader() = default;
    // One read at a time: a read asked for while one is outstanding is refused.
    virtual void read(Clipboard::TextReply reply) = 0;
    virtual bool reading() const = 0;
};

// The reader for the platform the program runs on; nothing where the toolkit's own read
// has to serve.
std::unique_ptr<AsyncTextReader> platformTextReader();

} // namespace tarvelio
