#pragma once

#include <string_view>

namespace tarvelio {

inline constexpr std::string_view kProductName = "Tarvelio";
inline constexpr std::string_view kProductVersion = "1.01.0002";
// The desktop file, the icons and the Wayland app id share this name.
inline constexpr std::string_view kApplicationId = "de.tarvelio.Tarvelio";

} // namespace tarvelio
