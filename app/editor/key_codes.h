// Key codes as the editor's key handlers receive them.
#pragma once

namespace keys {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Esc = 27;
inline constexpr int Space = 32;
inline constexpr int Del = 46;
inline constexpr int F3 = 114;
inline constexpr int F8 = 119;
inline constexpr int F12 = 123;
}  // namespace keys
