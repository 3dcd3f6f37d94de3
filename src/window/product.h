#pragma once

#include <string_view>

namespace tarvelio {

inline constexpr std::string_view kProductName = "Tarvelio";
inline constexpr std::string_view kProductVersion = "1.01.0002";

} // namespace tarvelio
