// Mouse pointer shapes of pages and controls, by number.
#pragma once

namespace platform {

inline constexpr int kPointerDefault = 0;  // the shape the window class gives
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerCross = 2;
inline constexpr int kPointerIBeam = 3;
inline constexpr int kPointerIcon = 4;
inline constexpr int kPointerSize = 5;
inline constexpr int kPointerSizeNESW = 6;
inline constexpr int kPointerSizeNS = 7;
inline constexpr int kPointerSizeNWSE = 8;
inline constexpr int kPointerSizeWE = 9;
inline constexpr int kPointerUpArrow = 10;
inline constexpr int kPointerHourglass = 11;
inline constexpr int kPointerNoDrop = 12;
inline constexpr int kPointerArrowHourglass = 13;
inline constexpr int kPointerArrowQuestion = 14;
inline constexpr int kPointerSizeAll = 15;
inline constexpr int kPointerCustom = 99;  // the control's own pointer picture (MouseIcon)

}  // namespace platform
