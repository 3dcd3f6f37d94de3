// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/window/controls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelio {

namespace keys {
// A key press; the form hands it to the rules without reading it.
struct KeyPress;
} // namespace keys

// What the toolkit reports back into the rules.
class FormEvents {
public:
    virtual void onClick(Ctl c) = 0;
    virtual void onGotFocus(Ctl c) = 0;
    virtual void onLostFocus(Ctl c) = 0;
    virtual void onDropDown(Ctl c) = 0;
    // A key press at the control with the focus, or at the window when none has it;
    // returns whether the key is spent, so that the control does not handle it as well.
    virtual bool onKey(std::optional<Ctl> target, const keys::KeyPress& key) = 0;

protected:
    ~FormEvents() = default;
};

struct ControlState {
    std::string caption; // for the chooser: the text of its text field
    std::string toolTip;
    bool enabled = true;
    bool visible = true;
    int value = 0; // check box: 0 clear, 1 ticked
    std::vector<std::string> items; // chooser list
    int listIndex = -1; // chooser selection, -1 for none
    int stacking = 0; // higher lies in front among overlapping controls
    bool hooked = false; // a right-button press is caught before the control sees it
    bool border = false; // a thin border around the control
    bool readOnly = false; // the text field takes no typing
};

// What changed since the toolkit last mirrored the model.
struct FormChanges {
    std::uint32_t controls = 0; // one bit per Ctl
    bool focus = false;
    bool window = false;
    bool stacking = false;
    int rightArrows = 0; // synthetic Right-arrow presses to queue
    // One bit per Ctl whose new state screen readers announce unasked: the readout's
    // caption, the chooser's selected entry.
    std::uint32_t announced = 0;

    bool any() const {
        return controls != 0 || focus || window || stacking || rightArrows != 0 || announced != 0;
    }
    bool has(Ctl c) const { return (controls >> indexOf(c)) & 1U; }
    bool announces(Ctl c) const { return (announced >> indexOf(c)) & 1U; }
};

// In-memory model of the window and its controls. It carries out the effects the rules
// rely on from a window framework: setting the check box raises its click, moving the
// focus raises the focus events of the control that loses it and the one that gains it,
// a disabled or hidden control takes no click and loses the focus, and so on. The toolkit
// mirrors this model and reports user actions through the user* calls.
class Form {
public:
    explicit Form(FormEvents& events);

    const ControlState& control(Ctl c) const { return m_controls[indexOf(c)]; }
    const std::string& caption(Ctl c) const { return control(c).caption; }
    static ControlKind kind(Ctl c);
    bool windowVisible() const { return m_windowVisible; }
    std::optional<Ctl> focus() const { return m_focus; }

    void setCaption(Ctl c, std::string caption);
    void setToolTip(Ctl c, std::string toolTip);
    void setEnabled(Ctl c, bool enabled);
    void setVisible(Ctl c, bool visible);
    // Raises the check box's click when the value changes.
    void setValue(Ctl c, int value);
    // Works on any shown, enabled control that can hold the focus, in a shown window;
    // returns whether the focus is there afterwards.
    bool setFocus(Ctl c);
    void showWindow();

    // The chooser's list. Selecting from code raises its click.
    void addItem(Ctl c, std::string item);
    void setListIndex(Ctl c, int index);
    void bringToFront(Ctl c);

    // Effects below the toolkit's ordinary properties.
    void setHooked(Ctl c, bool hooked);
    void setBorder(Ctl c, bool border);
    void setReadOnly(Ctl c, bool readOnly);
    // One Right-arrow press and release, handled by whichever control has the focus
    // when the toolkit processes it, after the current handler has returned.
    void queueRightArrow() { ++m_changes.rightArrows; }
    // What the control shows now is told to screen readers, also when it has not changed:
    // a person who pressed "=" waits to hear the result. Nothing is announced before the
    // window shows: the start-up's own conversion is no news.
    void announce(Ctl c);

    // User actions as the toolkit reports them.
    void userClick(Ctl c);
    void userFocus(Ctl c);
    // A choice from the list, also of the entry already selected.
    void userSelect(Ctl c, int index);
    // The user opens a chooser's list. A press on the arrow of a chooser without the focus
    // also gives it the focus: the list's drop-down comes first, so that the focus gain
    // knows it comes with the list.
    void userDropDown(Ctl c);
    // A key pressed at `target` (the control with the focus, or the window without one);
    // returns whether the key is spent. A key that is not spent goes on to the control's
    // own handling: Space presses a button.
    bool userKey(std::optional<Ctl> target, const keys::KeyPress& key);

    FormChanges takeChanges();

private:
    ControlState& mut(Ctl c);
    void dropFocus(Ctl c);

    FormEvents& m_events;
    std::array<ControlState, kControlCount> m_controls;
    std::optional<Ctl> m_focus;
    bool m_windowVisible = false;
    int m_topStacking = 0;
    FormChanges m_changes;
};

} // namespace tarvelio
