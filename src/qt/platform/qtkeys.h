// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/input/keycodes.h"

class QKeyEvent;

namespace tarvelio {

// A toolkit key event as the core's key press: the key, the Shift (1), Ctrl (2) and Alt (4)
// state, and the character typed as a code of the window's 8-bit character set (the euro
// sign is 128, any other character beyond 7-bit ASCII kOutside). What the key does is the
// core's to decide.
keys::KeyPress keyPress(const QKeyEvent& event);

} // namespace tarvelio
