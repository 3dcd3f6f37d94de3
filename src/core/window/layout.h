// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/texts/catalogue.h"
#include "core/window/controls.h"

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

// What sets a control apart beyond its kind, one bit each.
namespace trait {
// Built only when first shown: most sessions never need it, and it is dear to set up.
inline constexpr std::uint8_t kBuiltWhenShown = 1;
// Screen readers know it by the text it shows, not by a name of its own.
inline constexpr std::uint8_t kNamedByText = 2;
// Offers choosing the currency besides its press, as a right-button press does.
inline constexpr std::uint8_t kChooserAction = 4;
} // namespace trait

// A picture of the program's own: ready pixels made at build time, and the
// double-resolution file for high-density screens, of the format its extension names.
struct PictureSpec {
    std::string_view ready;
    std::string_view doubled;
};

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
    std::string_view accessibleName; // what screen readers call it
    PictureSpec picture; // empty where it has none
    std::uint8_t traits = 0;

    constexpr bool has(std::uint8_t t) const { return (traits & t) != 0; }
};

inline constexpr Rgb kDarkBlue {0, 0, 192};
inline constexpr Rgb kReadoutYellow {255, 255, 192};
inline constexpr Rgb kLabelGrey {224, 224, 224};
inline constexpr Rgb kChooserCyan {192, 255, 255};

// Every text of the window is drawn in this family; it matches the metrics of the classic
// Windows sans serif faces.
inline constexpr std::string_view kFontFamily = "Liberation Sans";

// Indexed by Ctl: the order of this table is the window's order of controls.
inline constexpr std::array<ControlLayout, kControlCount> kLayout {{
    {Ctl::Equals, "Operator", op::kEquals, ControlKind::Button, "=", 2040, 2160, 480, 255, FontRole::Window,
        {}, true, {}, {}, texts::kEqualsName, {}},
    {Ctl::Num0, "Number", 0, ControlKind::Button, "0", 120, 2160, 1080, 255, FontRole::Window, {}, true, {},
        {}, "0", {}},
    {Ctl::Num1, "Number", 1, ControlKind::Button, "1", 120, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}, "1", {}},
    {Ctl::Num2, "Number", 2, ControlKind::Button, "2", 720, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}, "2", {}},
    {Ctl::Num3, "Number", 3, ControlKind::Button, "3", 1320, 1800, 480, 255, FontRole::Window, {}, true, {},
        {}, "3", {}},
    {Ctl::Num4, "Number", 4, ControlKind::Button, "4", 120, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}, "4", {}},
    {Ctl::Num5, "Number", 5, ControlKind::Button, "5", 720, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}, "5", {}},
    {Ctl::Num6, "Number", 6, ControlKind::Button, "6", 1320, 1440, 480, 255, FontRole::Window, {}, true, {},
        {}, "6", {}},
    {Ctl::Num7, "Number", 7, ControlKind::Button, "7", 120, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}, "7", {}},
    {Ctl::Num8, "Number", 8, ControlKind::Button, "8", 720, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}, "8", {}},
    {Ctl::Num9, "Number", 9, ControlKind::Button, "9", 1320, 1080, 480, 255, FontRole::Window, {}, true, {},
        {}, "9", {}},
    {Ctl::Cancel, "Cancel", -1, ControlKind::Button, "C", 2040, 1080, 480, 255, FontRole::SmallBold, {}, true,
        {}, {}, texts::kCancelName, {}},
    {Ctl::CancelEntry, "CancelEntry", -1, ControlKind::Button, "CE", 2640, 1080, 480, 255,
        FontRole::SmallBold, {}, true, {}, {}, texts::kCancelEntryName, {}},
    {Ctl::Plus, "Operator", op::kPlus, ControlKind::Button, "+", 2040, 1440, 480, 255, FontRole::Window, {},
        true, {}, {}, texts::kPlusName, {}},
    {Ctl::Minus, "Operator", op::kMinus, ControlKind::Button, "-", 2640, 1440, 480, 255, FontRole::Window, {},
        true, {}, {}, texts::kMinusName, {}},
    {Ctl::Times, "Operator", op::kTimes, ControlKind::Button, "X", 2040, 1800, 480, 255, FontRole::SmallBold,
        {}, true, {}, {}, texts::kTimesName, {}},
    {Ctl::Divide, "Operator", op::kDivide, ControlKind::Button, "/", 2640, 1800, 480, 255,
        FontRole::SmallBold, {}, true, {}, {}, texts::kDivideName, {}},
    {Ctl::Decimal, "Decimal", -1, ControlKind::Button, ".", 1320, 2160, 480, 255, FontRole::Window, {}, true,
        {}, {}, texts::kDecimalName, {}},
    {Ctl::Percent, "Percent", -1, ControlKind::Button, "%", 2640, 2160, 480, 255, FontRole::Window, {}, true,
        {}, {}, texts::kPercentName, {}},
    {Ctl::Picture1, "Picture1", -1, ControlKind::PictureBox, "", 0, 0, 3270, 2535, FontRole::Window, {},
        false, {}, {}, texts::kBackgroundName, {"background", "background@2x.jpg"}},
    {Ctl::Readout, "Readout", -1, ControlKind::Label, "0", 120, 120, 3015, 320, FontRole::Window, {}, true,
        kDarkBlue, kReadoutYellow, {}, {}, trait::kNamedByText},
    {Ctl::DME, "DME", -1, ControlKind::Button, "EUR", 1800, 580, 620, 300, FontRole::SmallBold,
        texts::kDeutscheMarkToEuro, true, {}, {}, texts::kToEuroName, {}},
    {Ctl::Digits2, "Digits2", -1, ControlKind::CheckBox, "Check1", 1080, 600, 200, 240, FontRole::Window,
        texts::kTwoDecimalsTip, true, {}, kDarkBlue, texts::kTwoDecimalsName, {}},
    {Ctl::Label1, "Label1", -1, ControlKind::Label, "#,##", 1320, 615, 615, 255, FontRole::SmallRegular, {},
        true, kLabelGrey, {}, "#,##", {}},
    {Ctl::cCopy, "cCopy", -1, ControlKind::PictureButton, "", 130, 570, 360, 330, FontRole::Window,
        texts::kCopyTip, true, {}, {}, texts::kCopyName, {"copy", "copy@2x.png"}},
    {Ctl::cPaste, "cPaste", -1, ControlKind::PictureButton, "", 610, 570, 360, 330, FontRole::Window,
        texts::kPasteTip, true, {}, {}, texts::kPasteName, {"paste", "paste@2x.png"}},
    {Ctl::Combo1, "Combo1", -1, ControlKind::ComboBox, "Combo1", 2445, 560, 690, 315, FontRole::SmallRegular,
        {}, false, {}, kChooserCyan, texts::kChooserName, {}, trait::kBuiltWhenShown},
    {Ctl::EDM, "EDM", -1, ControlKind::Button, texts::kDefaultModeCode, 2520, 580, 620, 300,
        FontRole::SmallBold, texts::kEuroToDeutscheMark, true, {}, {}, texts::kToDeutscheMarkName, {},
        trait::kChooserAction},
    {Ctl::Label2, "Label2", -1, ControlKind::Label, "", 180, 175, 400, 240, FontRole::SmallRegular, {}, true,
        kDarkBlue, {}, {}, {}, trait::kNamedByText},
}};

constexpr const ControlLayout& layoutOf(Ctl c) {
    return kLayout[indexOf(c)];
}

} // namespace tarvelio
