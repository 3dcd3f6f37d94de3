// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/calculator.h"
#include "qt/clipboard/qtclipboard.h"
#include "qt/mirror/controlviews.h"
#include "qt/pictures/pictures.h"

#include <QEvent>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace tarvelio {

class Announcer;
class ChooserBox;
class HeldInput;
class LargeTextCare;
class ReadoutView;
class RightClickHook;

// The calculator's one window. It builds the controls at their places, forwards toolkit
// events to the rules and mirrors the control model onto the widgets after each of them.
class CalculatorWindow final : public QWidget, private ControlHost {
    Q_OBJECT
public:
    explicit CalculatorWindow(NumberFormat format, QWidget* parent = nullptr);

    // Runs the load handler, which shows the window.
    void load();
    // What a right-button press on "DM" does; returns whether the chooser opened.
    bool openChooser() override;

    Calculator& calculator() { return m_calc; }
    // The widget of a control; null for the chooser until it is first shown.
    QWidget* widget(Ctl c) const { return m_views[indexOf(c)] ? m_views[indexOf(c)]->widget() : nullptr; }
    // Posted for each synthetic Right-arrow press.
    static constexpr QEvent::Type kRightArrowEvent = static_cast<QEvent::Type>(QEvent::User + 1);
    // Posted after the first paint: the window icon in its other sizes.
    static constexpr QEvent::Type kIconSizesEvent = static_cast<QEvent::Type>(QEvent::User + 2);
    // The widget whose right-button presses are caught, if any.
    const QObject* hookedWidget() const;
    // The tiles the last paint drew, in pixels.
    int lastPaintTiles() const { return m_lastPaintTiles; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The Tab key never moves the focus between controls.
    bool focusNextPrevChild(bool) override { return false; }

private:
    // What the widgets report.
    void clicked(Ctl c) override;
    void selected(Ctl c, int index) override;
    void droppingDown() override;
    const ControlState& state(Ctl c) const override { return m_calc.form().control(c); }
    std::string entryName(std::size_t position) const override { return m_calc.chooserEntryName(position); }
    RightClickHook& rightClickHook() override { return *m_rightClickHook; }
    bool keyPressed(Ctl c, const QKeyEvent& key) override { return userKey(c, key); }
    void focusGained(Ctl c, Qt::FocusReason reason) override;

    QWidget* createControl(Ctl c);
    void restack();
    template <class Action> void forward(const Action& action);
    void clipboardAnswered(const std::function<void()>& reply);
    void mirror();
    void mirrorControl(Ctl c);
    void mirrorFocus();
    void chooserFocusedByPress();
    void mirrorChooserName();
    void announce(const FormChanges& changes);
    bool userKey(std::optional<Ctl> c, const QKeyEvent& key);

    Calculator m_calc;
    QtClipboard m_clipboard;
    std::array<std::unique_ptr<ControlView>, kControlCount> m_views;
    RightClickHook* m_rightClickHook = nullptr;
    Announcer* m_announcer = nullptr;
    LargeTextCare* m_largeText = nullptr;
    HeldInput* m_heldInput = nullptr;
    Background m_background;
    bool m_iconSizesPosted = false;
    bool m_mirroring = false;
    int m_lastPaintTiles = 0;
};

// The user's decimal and group separators, as the system locale gives them.
NumberFormat systemNumberFormat();

} // namespace tarvelio
