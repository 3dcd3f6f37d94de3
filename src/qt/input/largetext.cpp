// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input/largetext.h"

#include "input/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <malloc.h>

namespace tarvelio {

LargeTextCare::LargeTextCare(QtClipboard& clipboard, QObject* parent)
    : QObject(parent) {
    if (QClipboard* system = QGuiApplication::clipboard()) {
        connect(system, &QClipboard::dataChanged, this, [&clipboard] {
            if (clipboard.readLargeText())
                malloc_trim(0);
        });
    }
}

void LargeTextCare::readoutShown(const ControlState& readout) {
    constexpr std::size_t kLarge = QtClipboard::kLargeText;
    const bool large = readout.caption.size() >= kLarge || readout.toolTip.size() >= kLarge;
    if (m_heldLargeText && !large)
        malloc_trim(0);
    m_heldLargeText = large;
}

} // namespace tarvelio
