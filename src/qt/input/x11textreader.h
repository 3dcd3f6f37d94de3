// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "input/clipboard.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace tarvelio {

// Reads the text of the X11 clipboard without waiting on its owner: the request and each
// answer arrive as events, so the window goes on painting and answering in between. It asks
// which formats the owner offers, then for the one best text format alone; it takes large
// texts in increments as the owner sends them. An owner that leaves an answer out longer
// than `kAnswerTime`, or the whole text longer than `kWholeTime`, is taken as having refused.
class X11TextReader final : public QAbstractNativeEventFilter {
public:
    // A living owner is given as long as the toolkits give one for each answer (some take
    // seconds to produce their text); a silent one holds the paste no longer than that.
    static constexpr std::chrono::milliseconds kAnswerTime {5000};
    // The formats, then the text: two full answer times.
    static constexpr std::chrono::milliseconds kWholeTime {2 * kAnswerTime};
    // More than any number a person pastes; a text beyond it is refused, not kept growing.
    static constexpr std::size_t kMaxBytes = std::size_t {64} << 20;

    // Nothing where the program does not run on X11.
    static std::unique_ptr<X11TextReader> create();
    ~X11TextReader() override;
    X11TextReader(const X11TextReader&) = delete;
    X11TextReader& operator=(const X11TextReader&) = delete;

    // One read at a time: a read asked for while one is outstanding is refused.
    void read(Clipboard::TextReply reply);
    bool reading() const { return m_stage != Stage::Idle; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    enum class Stage { Idle, Formats, Text, Increments };
    explicit X11TextReader(xcb_connection_t* connection);
    bool prepare();
    void ask(std::uint32_t format, Stage stage);
    void answered(std::uint32_t property);
    void incrementArrived();
    std::uint32_t bestFormat(const std::uint32_t* formats, std::size_t count);
    void finish(std::optional<std::string> text);
    std::optional<std::string> decoded();

    xcb_connection_t* m_connection;
    std::uint32_t m_window = 0;
    struct Atoms;
    std::unique_ptr<Atoms> m_atoms;
    Stage m_stage = Stage::Idle;
    std::uint32_t m_format = 0;
    std::string m_bytes;
    Clipboard::TextReply m_reply;
    QTimer m_answerTimer;
    QTimer m_wholeTimer;
};

} // namespace tarvelio
