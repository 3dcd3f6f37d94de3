// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

namespace tarvelio {

// Catches a right-button press on one widget before the widget sees it. The handler says
// whether it took the press; every other event, the right-button release included, passes
// on unchanged.
class RightClickHook final : public QObject {
    Q_OBJECT
public:
    explicit RightClickHook(std::function<bool()> onPress, QObject* parent = nullptr);

    void install(QObject* target);
    void remove();
    QObject* target() const { return m_target; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> m_onPress;
    QObject* m_target = nullptr;
};

} // namespace tarvelio
