// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "qt/clipboard/textformats.h"

#include <memory>

namespace tarvelio {

// The Wayland clipboard's text through a data device of the program's own on the toolkit's
// connection and seat: the owner writes the text into a pipe that the event loop reads as
// it comes. Nothing where the program does not run on Wayland, or the toolkit does not give
// its connection and seat (before Qt 6.5).
std::unique_ptr<AsyncTextReader> waylandTextReader();

} // namespace tarvelio
