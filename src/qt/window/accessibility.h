// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QComboBox;
class QPushButton;

namespace tarvelio {

class ReadoutView;

// What screen readers get beyond the toolkit's own interfaces: the readout with its text,
// the chooser by its name, and "DM" with an action that opens the chooser, as a
// right-button press does.
// Each is in use for a widget once it is registered, before it is first asked for.
void registerReadoutAccessible(ReadoutView* readout);
void registerChooserAccessible(QComboBox* chooser);
void registerChooserAction(QPushButton* button, std::function<void()> openChooser);

} // namespace tarvelio
