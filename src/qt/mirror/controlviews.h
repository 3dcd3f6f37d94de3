// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/form.h"
#include "core/window/layout.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <string>

class QKeyEvent;
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
    // A key pressed at a control that holds the focus; returns whether it is spent.
    virtual bool keyPressed(Ctl c, const QKeyEvent& key) = 0;
    virtual void focusGained(Ctl c, Qt::FocusReason reason) = 0;

protected:
    ~ControlHost() = default;
};

// One control's widget, made from its entry in the control table and kept in line with
// the model. There is one kind of view for each kind of control. The view sees its
// widgets' key and focus events first and reports them to the host as its control's.
class ControlView : public QObject {
public:
    // Builds the widget at its place, in its font, colours and names.
    static std::unique_ptr<ControlView> create(Ctl c, QWidget* parent, ControlHost& host);

    QWidget* widget() const { return m_widget; }
    // Whether a widget is this control's own: the chooser's text field is the chooser's.
    virtual bool owns(const QWidget* w) const { return w && w == m_widget; }
    // Shows what the model holds for the control.
    void mirror(const ControlState& s);

protected:
    ControlView(Ctl c, QWidget* widget, ControlHost& host)
        : m_ctl(c)
        , m_widget(widget)
        , m_host(host) { }
    virtual void mirrorOwn(const ControlState& s) = 0;
    // Only keys and focus are looked at: every other event passes untouched.
    bool eventFilter(QObject* watched, QEvent* event) override;

    Ctl m_ctl;
    QWidget* m_widget;
    ControlHost& m_host;
};

// The order the window builds its controls in, which is their stacking order until the
// model raises one.
std::array<Ctl, kControlCount> creationOrder();

} // namespace tarvelio
