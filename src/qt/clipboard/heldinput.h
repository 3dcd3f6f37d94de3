// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>

namespace tarvelio {

// Holds the user's keys and clicks back while the program waits for an answer (a paste
// from another program), and hands them on afterwards in the order they came, as if there
// had been no wait: the keys typed after Ctrl+V act on the pasted number. Everything else
// (painting, the window manager's questions, closing) goes on meanwhile.
class HeldInput final : public QObject {
public:
    HeldInput(std::function<bool()> waiting, QObject* parent);

    // Hands on what was held, until one of the keys or clicks makes the program wait again.
    void release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    std::function<bool()> m_waiting;
    std::deque<Held> m_held;
    const QEvent* m_handingOn = nullptr;
};

} // namespace tarvelio
