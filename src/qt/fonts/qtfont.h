// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/layout.h"
#include "qt/qstr.h"

#include <QFont>

namespace tarvelio {

// The toolkit's font for a role of the control table: the window's family, its pixel size
// and weight.
inline QFont fontFor(FontRole role) {
    const FontSpec size = fontSpec(role);
    QFont f(qstr(kFontFamily));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(size.pixelSize);
    f.setBold(size.bold);
    return f;
}

} // namespace tarvelio
