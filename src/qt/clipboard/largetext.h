// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/form.h"

#include <QObject>
#include <QTimer>

namespace tarvelio {

class QtClipboard;

// Gives the memory a huge text held back to the system once the text has gone: the C
// library would otherwise keep a pasted 10 MB number in the footprint for the rest of
// the run. The toolkit's copy goes when another program takes the clipboard; the
// readout's when it shows a short text again.
class LargeTextCare final : public QObject {
public:
    LargeTextCare(QtClipboard& clipboard, QObject* parent);

    void readoutShown(const ControlState& readout);

private:
    bool m_heldLargeText = false;
    QTimer m_trim;
};

} // namespace tarvelio
