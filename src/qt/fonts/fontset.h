// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/engine/numbertext.h"

namespace tarvelio {

// Gives fontconfig, before the toolkit first asks it, a configuration with the system's
// and the user's rendering rules but only the faces the window draws with, so that the
// toolkit's font database holds a few faces rather than every one installed. Done only
// where those faces draw every character of this session; otherwise, or on any error,
// nothing changes and the full set is used. Returns whether the small set is in use.
bool useWindowFontSet(const NumberFormat& format);

// The window's faces as the build machine's fontconfig found them, and the directory of
// the system's rule files.
const char* windowFace(bool bold);
const char* fontconfigDir();

// The same with the face files and the directory of the rule files given.
bool useFontSet(
    const NumberFormat& format, const char* regularFace, const char* boldFace, const char* rulesDir);

// Every control names its font; an application font of the same family spares Qt the
// search for a fallback family for the chooser's list and the tool tips.
void setApplicationFont();

} // namespace tarvelio
