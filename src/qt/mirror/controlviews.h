// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/form.h"
#include "core/window/layout.h"

#include <QFont>
#include <QString>

#include <array>
#include <memory>
#include <string>

class QWidget;

namespace tarvelio {

class RightClickHook;

// What the widgets report and ask of the window that holds them.
class ControlHost {
public:
    virtual void clicked(Ctl c) = 0;
    virtual void selected(Ctl c, int index) = 0;
    virtual void droppingDown() = 0;
    // Returns whether the chooser opened.
    virtual bool openChooser() = 0;
    virtual const ControlState& state(Ctl c) const = 0;
    // What screen readers call an entry of the chooser's list.
    virtual std::string entryName(std::size_t position) const = 0;
    virtual RightClickHook& rightClickHook() = 0;

protected:
    ~ControlHost() = default;
};

// One control's widget, made from its entry in the control table and kept in line with
// the model. There is one kind of view for each kind of control.
class ControlView {
public:
    // Builds the widget at its place, in its font, colours and names; the window's key
    // and focus events reach `filter` first.
    static std::unique_ptr<ControlView> create(Ctl c, QWidget* parent, ControlHost& host, QObject* filter);
    virtual ~ControlView() = default;

    QWidget* widget() const { return m_widget; }
    // Shows what the model holds for the control.
    void mirror(const ControlState& s);

protected:
    ControlView(Ctl c, QWidget* widget, ControlHost& host)
        : m_ctl(c)
        , m_widget(widget)
        , m_host(host) { }
    virtual void mirrorOwn(const ControlState& s) = 0;

    Ctl m_ctl;
    QWidget* m_widget;
    ControlHost& m_host;
};

// The order the window builds its controls in, which is their stacking order until the
// model raises one.
std::array<Ctl, kControlCount> creationOrder();

QFont fontFor(FontRole role);

} // namespace tarvelio
