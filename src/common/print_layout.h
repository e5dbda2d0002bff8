// How a text is laid out on the printer, one character at a time: lines start one inch from the
// left, end at a blank past 6.5 inches or at any character past 8, pages end once the print
// position passes 8.8 inches down, and pages after the first carry "(page N)" at their foot.
//
// No Windows header here: the layout talks only to the printer interface.
#pragma once

#include <string_view>

#include "platform/printing/printer.h"

namespace common {

// Positions in inches from the corner of the printable area.
inline constexpr double kTextLeft = 1;
inline constexpr double kTextTop = 1;
inline constexpr double kTextTopUnderHeader = 1.5;
inline constexpr double kWrapZoneStart = 6.5;
inline constexpr double kHardRightLimit = 8;
inline constexpr double kPageBottom = 8.8;
inline constexpr double kPageNumberTop = 9.2;
inline constexpr double kPageNumberLeft = 6;

// Prints `text` on `printer` in the current font, with `header` (when not empty) at the top of the
// first page or of every page, underlined when asked. Starts new pages as the text needs them and
// leaves the document open: the caller ends or abandons it. PrinterError passes through.
void LayOutText(platform::Printer& printer, std::string_view text, std::string_view header,
                bool underlineHeader, bool headerOnEveryPage);

}  // namespace common
