// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "qt/clipboard/textformats.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace tarvelio {

// The X11 clipboard's text through the connection the toolkit has: the request and each
// answer arrive as events. It asks which formats the owner offers, then for the one best
// text format alone; it takes large texts in increments as the owner sends them.
class X11TextReader final : public AsyncTextReader, public QAbstractNativeEventFilter {
public:
    // Nothing where the program does not run on X11.
    static std::unique_ptr<X11TextReader> create();
    ~X11TextReader() override;
    X11TextReader(const X11TextReader&) = delete;
    X11TextReader& operator=(const X11TextReader&) = delete;

    void read(Clipboard::TextReply reply) override;
    bool reading() const override { return m_stage != Stage::Idle; }

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
