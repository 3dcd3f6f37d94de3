// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

// Every text the window shows or tells screen readers, in German, in one place. The
// captions of the keys are symbols and stand in the control table.
namespace tarvelio::texts {

inline constexpr std::string_view kWindowTitle = "Tarvelio";

// The readout's error words.
inline constexpr std::string_view kOverflow = "\u00DCberlauf";
inline constexpr std::string_view kError = "Fehler";
inline constexpr std::string_view kDivisionByZero = "Division durch 0";

// The former currencies' names, in the chooser's order.
inline constexpr std::string_view kAustrianSchilling = "\u00D6sterreichische Schilling";
inline constexpr std::string_view kBelgianFranc = "Belgische Franc";
inline constexpr std::string_view kDeutscheMark = "Deutsche Mark";
inline constexpr std::string_view kSpanishPeseta = "Spanische Peseta";
inline constexpr std::string_view kFinnishMarkka = "Finmark";
inline constexpr std::string_view kFrenchFranc = "Franz\u00F6sische Franc";
inline constexpr std::string_view kGreekDrachma = "Griechische Drachme";
inline constexpr std::string_view kIrishPound = "Irische Pfund";
inline constexpr std::string_view kItalianLira = "Italienische Lira";
inline constexpr std::string_view kLuxembourgFranc = "Luxemburgische Franc";
inline constexpr std::string_view kDutchGuilder = "Holl\u00E4ndische Gulden";
inline constexpr std::string_view kPortugueseEscudo = "Portugiesische Escudo";

// The chooser's last entry, back to the Deutsche Mark default; also the caption of the
// Euro-to-Mark button and the unit label of an amount in Deutsche Mark.
inline constexpr std::string_view kDefaultModeCode = "DM";
// The unit label of an amount in Euro.
inline constexpr std::string_view kEuroLabel = "\u20AC";

// Tool tips. The conversion buttons' and the chooser's name the direction: "<name> -> €
// (AltGr E)" for the way back into Euro, "€ -> <name>" for the chooser.
inline constexpr std::string_view kDeutscheMarkToEuro = "DM -> \u20AC (AltGr E)";
inline constexpr std::string_view kToEuroSuffix = " -> \u20AC (AltGr E)";
inline constexpr std::string_view kFromEuroPrefix = "\u20AC -> ";
inline constexpr std::string_view kEuroToDeutscheMark
    = "\u20AC -> DM (D), Rechtsklick f\u00FCr andere W\u00E4hrungen";
inline constexpr std::string_view kTwoDecimalsTip = "Zwei Dezimalstellen";
inline constexpr std::string_view kCopyTip = "Kopieren (Strg+C)";
inline constexpr std::string_view kPasteTip = "Einf\u00FCgen (Strg+V)";
// Joins the start and the end of a tool tip too long to show whole.
inline constexpr std::string_view kToolTipEllipsis = " \u2026 ";

// What screen readers call the controls: the visible label first, then what it does.
inline constexpr std::string_view kEqualsName = "= \u2013 gleich";
inline constexpr std::string_view kCancelName = "C \u2013 alles l\u00F6schen";
inline constexpr std::string_view kCancelEntryName = "CE \u2013 Eingabe l\u00F6schen";
inline constexpr std::string_view kPlusName = "+ \u2013 plus";
inline constexpr std::string_view kMinusName = "- \u2013 minus";
inline constexpr std::string_view kTimesName = "X \u2013 mal";
inline constexpr std::string_view kDivideName = "/ \u2013 geteilt durch";
inline constexpr std::string_view kDecimalName = ". \u2013 Dezimaltrennzeichen";
inline constexpr std::string_view kPercentName = "% \u2013 Prozent";
inline constexpr std::string_view kToEuroName = "EUR \u2013 in Euro umrechnen";
inline constexpr std::string_view kToDeutscheMarkName = "DM \u2013 in D-Mark umrechnen";
inline constexpr std::string_view kTwoDecimalsName = "#,## \u2013 Zwei Dezimalstellen";
inline constexpr std::string_view kCopyName = "Kopieren";
inline constexpr std::string_view kPasteName = "Einf\u00FCgen";
inline constexpr std::string_view kChooserName = "W\u00E4hrung";
inline constexpr std::string_view kBackgroundName = "Hintergrund";
// Joins the chooser's name and the currency in use, and a code and its currency's name.
inline constexpr std::string_view kNameSeparator = ": ";
inline constexpr std::string_view kCodeSeparator = " \u2013 ";

// What screen readers offer besides pressing "DM", and the keys that do the same.
inline constexpr std::string_view kChooseCurrencyAction = "W\u00E4hrung w\u00E4hlen";
inline constexpr std::string_view kChooserKeys = "Men\u00FCtaste, Umschalt+F10";
// Follows the tool tip of "DM" in what screen readers read out as its description.
inline constexpr std::string_view kChooserKeysHint = " (oder Men\u00FCtaste, Umschalt+F10)";
// The toolkit's own actions, named in German like everything else.
inline constexpr std::string_view kPressAction = "Dr\u00FCcken";
inline constexpr std::string_view kSetFocusAction = "Fokus setzen";
inline constexpr std::string_view kShowListAction = "Liste \u00F6ffnen";

} // namespace tarvelio::texts
