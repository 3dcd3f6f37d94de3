// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QPushButton;

namespace tarvelio {

class ReadoutView;

// Tells screen readers a text, as a notification that is shown; it draws nothing.
class Announcer final : public QObject {
public:
    explicit Announcer(QObject* parent);

    void announce(const QString& text);
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// What screen readers get beyond the toolkit's own interfaces: the readout with its text,
// as a notification, the chooser by its name, and "DM" with an action that opens the
// chooser, as a right-button press does.
// Each is in use for a widget once it is registered, before it is first asked for.
void registerReadoutAccessible(ReadoutView* readout);
void registerChooserAccessible(QComboBox* chooser);
void registerChooserAction(QPushButton* button, std::function<void()> openChooser);

} // namespace tarvelio
