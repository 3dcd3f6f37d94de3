// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/clipboard/largetext.h"

#include "qt/clipboard/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <malloc.h>

namespace tarvelio {

// Giving memory back takes tens of milliseconds after a huge text: it waits until the key
// that let the text go has been handled and drawn.
constexpr int kTrimDelayMs = 100;

LargeTextCare::LargeTextCare(QtClipboard& clipboard, QObject* parent)
    : QObject(parent) {
    m_trim.setSingleShot(true);
    m_trim.setInterval(kTrimDelayMs);
    connect(&m_trim, &QTimer::timeout, this, [] { malloc_trim(0); });
    if (QClipboard* system = QGuiApplication::clipboard()) {
        connect(system, &QClipboard::dataChanged, this, [this, &clipboard] {
            if (clipboard.readLargeText())
                m_trim.start();
        });
    }
}

void LargeTextCare::readoutShown(const ControlState& readout) {
    constexpr std::size_t kLarge = QtClipboard::kLargeText;
    const bool large = readout.caption.size() >= kLarge || readout.toolTip.size() >= kLarge;
    if (m_heldLargeText && !large)
        m_trim.start();
    m_heldLargeText = large;
}

} // namespace tarvelio
