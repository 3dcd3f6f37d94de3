// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/window/form.h"
#include "core/window/layout.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvelio {
namespace {

class Recorder final : public FormEvents {
public:
    void onClick(Ctl c) override { log.push_back("click " + name(c)); }
    void onGotFocus(Ctl c) override { log.push_back("got " + name(c)); }
    void onLostFocus(Ctl c) override { log.push_back("lost " + name(c)); }
    void onDropDown(Ctl c) override { log.push_back("drop-down " + name(c)); }
    bool onKey(std::optional<Ctl>, const keys::KeyPress&) override { return false; }
    static std::string name(Ctl c) { return std::string(layoutOf(c).name); }
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

struct Shown {
    Recorder events;
    Form form {events};
    Shown() { form.showWindow(); }
};

TEST(Form, StartsAsLaidOut) {
    Recorder events;
    Form form(events);
    EXPECT_FALSE(form.windowVisible());
    EXPECT_EQ(form.focus(), std::nullopt);
    EXPECT_EQ(form.control(Ctl::Digits2).value, 1);
    EXPECT_EQ(form.caption(Ctl::Times), "X");
    EXPECT_EQ(form.caption(Ctl::EDM), "DM");
    EXPECT_EQ(form.control(Ctl::cPaste).toolTip, "Einf\u00FCgen (Strg+V)");
    EXPECT_FALSE(form.control(Ctl::Combo1).visible);
    EXPECT_TRUE(events.log.empty());
}

TEST(Form, NoFocusBeforeTheWindowIsShown) {
    Recorder events;
    Form form(events);
    EXPECT_FALSE(form.setFocus(Ctl::Equals));
    form.showWindow();
    EXPECT_TRUE(form.setFocus(Ctl::Equals));
    EXPECT_EQ(events.log, (Log {"got Operator"}));
}

TEST(Form, MovingTheFocusRaisesLossThenGain) {
    Shown s;
    s.form.setFocus(Ctl::Cancel);
    s.form.setFocus(Ctl::Cancel);
    s.form.userFocus(Ctl::DME);
    EXPECT_EQ(s.form.focus(), Ctl::DME);
    EXPECT_EQ(s.events.log, (Log {"got Cancel", "lost Cancel", "got DME"}));
}

struct RefusedFocus {
    Ctl target;
    bool hide;
    bool disable;
};

void PrintTo(const RefusedFocus& c, std::ostream* os) {
    *os << layoutOf(c.target).name;
}

class FocusRefused : public testing::TestWithParam<RefusedFocus> { };

TEST_P(FocusRefused, StaysWhereItWas) {
    const auto& c = GetParam();
    Shown s;
    s.form.setFocus(Ctl::Equals);
    if (c.hide)
        s.form.setVisible(c.target, false);
    if (c.disable)
        s.form.setEnabled(c.target, false);
    s.events.log.clear();
    EXPECT_FALSE(s.form.setFocus(c.target));
    EXPECT_EQ(s.form.focus(), Ctl::Equals);
    EXPECT_TRUE(s.events.log.empty());
}

INSTANTIATE_TEST_SUITE_P(Controls, FocusRefused,
    testing::Values(RefusedFocus {Ctl::Readout, false, false}, RefusedFocus {Ctl::Label2, false, false},
        RefusedFocus {Ctl::Picture1, false, false}, RefusedFocus {Ctl::Combo1, false, false},
        RefusedFocus {Ctl::EDM, false, true}, RefusedFocus {Ctl::Num5, true, false}),
    RowName {});

TEST(Form, HidingOrDisablingTheFocusedControlTakesTheFocus) {
    for (bool hide : {true, false}) {
        Shown s;
        s.form.setVisible(Ctl::Combo1, true);
        s.form.setFocus(Ctl::Combo1);
        s.events.log.clear();
        if (hide)
            s.form.setVisible(Ctl::Combo1, false);
        else
            s.form.setEnabled(Ctl::Combo1, false);
        EXPECT_EQ(s.form.focus(), std::nullopt);
        EXPECT_EQ(s.events.log, (Log {"lost Combo1"}));
    }
}

TEST(Form, ClicksReachOnlyShownEnabledControls) {
    Shown s;
    s.form.userClick(Ctl::EDM);
    s.form.setEnabled(Ctl::EDM, false);
    s.form.userClick(Ctl::EDM);
    s.form.userClick(Ctl::Combo1);
    EXPECT_EQ(s.events.log, (Log {"click EDM"}));
}

TEST(Form, CheckBoxClickTogglesAndSettingFromCodeRaisesClick) {
    Shown s;
    s.form.userClick(Ctl::Digits2);
    EXPECT_EQ(s.form.control(Ctl::Digits2).value, 0);
    s.form.setValue(Ctl::Digits2, 1);
    s.form.setValue(Ctl::Digits2, 1);
    EXPECT_EQ(s.form.control(Ctl::Digits2).value, 1);
    EXPECT_EQ(s.events.log, (Log {"click Digits2", "click Digits2"}));
}

TEST(Form, SelectingFromCodeRaisesTheChoosersClick) {
    Shown s;
    s.form.addItem(Ctl::Combo1, "ATS");
    s.form.addItem(Ctl::Combo1, "DEM");
    s.form.setListIndex(Ctl::Combo1, 1);
    s.form.setListIndex(Ctl::Combo1, 7);
    EXPECT_EQ(s.form.caption(Ctl::Combo1), "DEM");
    EXPECT_EQ(s.form.control(Ctl::Combo1).listIndex, 1);
    EXPECT_EQ(s.events.log, (Log {"click Combo1"}));
}

TEST(Form, ChangesAreReportedOnceForTheMirror) {
    Recorder events;
    Form form(events);
    form.takeChanges();
    form.setCaption(Ctl::Readout, "0,00");
    form.setCaption(Ctl::Label2, "");
    form.showWindow();
    form.setFocus(Ctl::Equals);
    form.bringToFront(Ctl::Combo1);
    const FormChanges changes = form.takeChanges();
    EXPECT_TRUE(changes.has(Ctl::Readout));
    EXPECT_FALSE(changes.has(Ctl::Label2));
    EXPECT_TRUE(changes.window && changes.focus && changes.stacking);
    EXPECT_GT(form.control(Ctl::Combo1).stacking, form.control(Ctl::EDM).stacking);
    EXPECT_FALSE(form.takeChanges().any());
}

} // namespace
} // namespace tarvelio
