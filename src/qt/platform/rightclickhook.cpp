// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/platform/rightclickhook.h"

#include <QMouseEvent>

namespace tarvelio {

RightClickHook::RightClickHook(std::function<bool()> onPress, QObject* parent)
    : QObject(parent)
    , m_onPress(std::move(onPress)) { }

void RightClickHook::install(QObject* target) {
    if (m_target == target)
        return;
    remove();
    m_target = target;
    m_target->installEventFilter(this);
}

void RightClickHook::remove() {
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = nullptr;
}

bool RightClickHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        return m_onPress();
    return QObject::eventFilter(watched, event);
}

} // namespace tarvelio
