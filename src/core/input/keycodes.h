#pragma once

#include <cstdint>

namespace tarvelio::keys {

// Characters the key map reads, as codes of the window's 8-bit character set.
inline constexpr std::int16_t kCopy = 3; // Ctrl+C
inline constexpr std::int16_t kPaste = 22; // Ctrl+V
inline constexpr std::int16_t kEuro = 128; // the euro sign, AltGr+E
// Any other character beyond 7-bit ASCII: it runs nothing.
inline constexpr std::int16_t kOutside = 255;

// Key codes the chooser's key-down handling tells apart.
inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kLeft = 37;
inline constexpr std::int16_t kUp = 38;
inline constexpr std::int16_t kRight = 39;
inline constexpr std::int16_t kDown = 40;

} // namespace tarvelio::keys
