// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/heldinput.h"

#include <QCoreApplication>

#include <utility>

namespace tarvelio {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return true;
    default:
        return false;
    }
}

} // namespace

HeldInput::HeldInput(std::function<bool()> waiting, QObject* parent)
    : QObject(parent)
    , m_waiting(std::move(waiting)) {
    QCoreApplication::instance()->installEventFilter(this);
}

// Input is held where it enters the program, at its windows, before any widget has seen
// it: handed on later, it reaches whichever widget has the focus or lies under the mouse
// by then, as it would have.
bool HeldInput::eventFilter(QObject* watched, QEvent* event) {
    if (event == m_handingOn || !watched->isWindowType() || !isUserInput(event->type()))
        return false;
    if (!m_waiting() && m_held.empty())
        return false;
    m_held.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

void HeldInput::release() {
    while (!m_held.empty() && !m_waiting()) {
        Held next = std::move(m_held.front());
        m_held.pop_front();
        if (!next.target)
            continue;
        m_handingOn = next.event.get();
        QCoreApplication::sendEvent(next.target, next.event.get());
        m_handingOn = nullptr;
    }
}

} // namespace tarvelio
