// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelio {

// From fontconfig rule files, in the order fontconfig reads them, the elements that can
// change how the faces of one family are drawn once those faces are the only fonts there
// are, as the body of one configuration: every rule that sets a rendering property or
// chooses fonts, every include (the user's own files among them), every rule the program
// does not know. Left out are only those that cannot matter: descriptions, family aliases
// and pattern rules that only add families, languages or colour preferences (both faces
// share those), and rules that test the font for another family. Where a rule kept looks
// at what such a left-out rule changes, or a file is not plain well-formed XML, there is
// no answer, and every file is to be read whole.
std::optional<std::string> renderingRules(const std::vector<std::string>& files, std::string_view family);

} // namespace tarvelio
