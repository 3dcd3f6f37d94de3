// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency/currencytable.h"
#include "window/controls.h"

#include <array>
#include <optional>
#include <string_view>

namespace tarvelio {

// Positions and sizes are in twips: 15 twips make one pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 3270;
inline constexpr int kClientHeightTwips = 2535;

// Twips to device-independent pixels. Left, top, width and height are each cut to whole
// pixels, which keeps the right and bottom edges of the chooser and the "DM" button
// together, as the layout intends.
constexpr int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The window font is 9.75 pt bold; the two smaller control fonts are 8.25 pt.
enum class FontRole : std::uint8_t { Window, SmallBold, SmallRegular };

struct FontSpec {
    int pixelSize; // at 96 dpi
    bool bold;
};

constexpr FontSpec fontSpec(FontRole role) {
    switch (role) {
    case FontRole::SmallBold:
        return {11, true};
    case FontRole::SmallRegular:
        return {11, false};
    case FontRole::Window:
        break;
    }
    return {13, true};
}

struct ControlLayout {
    Ctl id;
    std::string_view name;
    int arrayIndex; // -1 outside the control arrays
    ControlKind kind;
    std::string_view caption;
    int left, top, width, height; // twips
    FontRole font;
    std::string_view toolTip;
    bool visible;
    std::optional<Rgb> foreground;
    std::optional<Rgb> background;
};

inline constexpr Rgb kDarkBlue {0, 0, 192};
inline constexpr Rgb kReadoutYellow {255, 255, 192};
inline constexpr Rgb kLabelGrey {224, 224, 224};
inline constexpr Rgb kChooserCyan {192, 255, 255};

inline constexpr std::string_view kWindowTitle = "Tarvelio";
// Every text of the window is drawn in this family; it matches the metrics of the classic
// Windows sans serif faces.
inline constexpr std::string_view kFontFamily = "Liberation Sans";

// Indexed by Ctl: the order of this table is the window's order of controls.
inline constexpr std::array<ControlLayout, kControlCount> kLayout {{
    {Ctl::Equals, "Operator", op::kEquals, ControlKind::Button, "=", 2040, 2160, 480, 255, FontRole::Window,
        {}, true, {}, {}},
    {Ctl::Num0, "Number", 0, ControlKind::Button, "0", 120, 2160, 1080, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num1, "Number", 1, ControlKind::Button, "1", 120, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num2, "Number", 2, ControlKind::Button, "2", 720, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num3, "Number", 3, ControlKind::Button, "3", 1320, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num4, "Number", 4, ControlKind::Button, "4", 120, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num5, "Number", 5, ControlKind::Button, "5", 720, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num6, "Number", 6, ControlKind::Button, "6", 1320, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num7, "Number", 7, ControlKind::Button, "7", 120, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num8, "Number", 8, ControlKind::Button, "8", 720, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Num9, "Number", 9, ControlKind::Button, "9", 1320, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}},
    {Ctl::Cancel, "Cancel", -1, ControlKind::Button, "C", 2040, 1080, 480, 255, FontRole::SmallBold, {}, true,
        {}, {}},
    {Ctl::CancelEntry, "CancelEntry", -1, ControlKind::Button, "CE", 2640, 1080, 480, 255,
        FontRole::SmallBold, {}, true, {}, {}},
    {Ctl::Plus, "Operator", op::kPlus, ControlKind::Button, "+", 2040, 1440, 480, 255, FontRole::Window, {},
        true, {}, {}},
    {Ctl::Minus, "Operator", op::kMinus, ControlKind::Button, "-", 2640, 1440, 480, 255, FontRole::Window, {},
        true, {}, {}},
    {Ctl::Times, "Operator", op::kTimes, ControlKind::Button, "X", 2040, 1800, 480, 255, FontRole::SmallBold,
        {}, true, {}, {}},
    {Ctl::Divide, "Operator", op::kDivide, ControlKind::Button, "/", 2640, 1800, 480, 255,
        FontRole::SmallBold, {}, true, {}, {}},
    {Ctl::Decimal, "Decimal", -1, ControlKind::Button, ".", 1320, 2160, 480, 255, FontRole::Window, {}, true,
        {}, {}},
    {Ctl::Percent, "Percent", -1, ControlKind::Button, "%", 2640, 2160, 480, 255, FontRole::Window, {}, true,
        {}, {}},
    {Ctl::Picture1, "Picture1", -1, ControlKind::PictureBox, "", 0, 0, 3270, 2535, FontRole::Window, {},
        false, {}, {}},
    {Ctl::Readout, "Readout", -1, ControlKind::Label, "0", 120, 120, 3015, 320, FontRole::Window, {}, true,
        kDarkBlue, kReadoutYellow},
    {Ctl::DME, "DME", -1, ControlKind::Button, "EUR", 1800, 580, 620, 300, FontRole::SmallBold,
        kDeutscheMarkToEuro, true, {}, {}},
    {Ctl::Digits2, "Digits2", -1, ControlKind::CheckBox, "Check1", 1080, 600, 200, 240, FontRole::Window,
        "Zwei Dezimalstellen", true, {}, kDarkBlue},
    {Ctl::Label1, "Label1", -1, ControlKind::Label, "#,##", 1320, 615, 615, 255, FontRole::SmallRegular, {},
        true, kLabelGrey, {}},
    {Ctl::cCopy, "cCopy", -1, ControlKind::PictureButton, "", 130, 570, 360, 330, FontRole::Window,
        "Kopieren (Strg+C)", true, {}, {}},
    {Ctl::cPaste, "cPaste", -1, ControlKind::PictureButton, "", 610, 570, 360, 330, FontRole::Window,
        "Einf\u00FCgen (Strg+V)", true, {}, {}},
    {Ctl::Combo1, "Combo1", -1, ControlKind::ComboBox, "Combo1", 2445, 560, 690, 315, FontRole::SmallRegular,
        {}, false, {}, kChooserCyan},
    {Ctl::EDM, "EDM", -1, ControlKind::Button, kDefaultModeCode, 2520, 580, 620, 300, FontRole::SmallBold,
        "\u20AC -> DM (D), Rechtsklick f\u00FCr andere W\u00E4hrungen", true, {}, {}},
    {Ctl::Label2, "Label2", -1, ControlKind::Label, "", 180, 175, 400, 240, FontRole::SmallRegular, {}, true,
        kDarkBlue, {}},
}};

// Joins the start and the end of a tool tip too long to show whole.
inline constexpr std::string_view kToolTipEllipsis = " \u2026 ";

// What screen readers offer besides pressing "DM", and the keys that do the same.
inline constexpr std::string_view kChooseCurrencyAction = "W\u00E4hrung w\u00E4hlen";
inline constexpr std::string_view kChooserKeys = "Men\u00FCtaste, Umschalt+F10";
// Follows the tool tip of "DM" in what screen readers read out as its description.
inline constexpr std::string_view kChooserKeysHint = " (oder Men\u00FCtaste, Umschalt+F10)";
// Joins the chooser's name and the currency in use, and a code and its currency's name.
inline constexpr std::string_view kNameSeparator = ": ";
inline constexpr std::string_view kCodeSeparator = " \u2013 ";

constexpr const ControlLayout& layoutOf(Ctl c) {
    return kLayout[indexOf(c)];
}

// What assistive technology announces for each control: its visible label first, then
// what it does. The readout and the unit label are announced by their current text.
constexpr std::string_view accessibleName(Ctl c) {
    switch (c) {
    case Ctl::Equals:
        return "= \u2013 gleich";
    case Ctl::Cancel:
        return "C \u2013 alles l\u00F6schen";
    case Ctl::CancelEntry:
        return "CE \u2013 Eingabe l\u00F6schen";
    case Ctl::Plus:
        return "+ \u2013 plus";
    case Ctl::Minus:
        return "- \u2013 minus";
    case Ctl::Times:
        return "X \u2013 mal";
    case Ctl::Divide:
        return "/ \u2013 geteilt durch";
    case Ctl::Decimal:
        return ". \u2013 Dezimaltrennzeichen";
    case Ctl::Percent:
        return "% \u2013 Prozent";
    case Ctl::DME:
        return "EUR \u2013 in Euro umrechnen";
    case Ctl::EDM:
        return "DM \u2013 in D-Mark umrechnen";
    case Ctl::Digits2:
        return "#,## \u2013 Zwei Dezimalstellen";
    case Ctl::cCopy:
        return "Kopieren";
    case Ctl::cPaste:
        return "Einf\u00FCgen";
    case Ctl::Combo1:
        return "W\u00E4hrung";
    case Ctl::Picture1:
        return "Hintergrund";
    default:
        return layoutOf(c).caption;
    }
}

} // namespace tarvelio
