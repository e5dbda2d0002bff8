#include "common/print_layout.h"

#include <string>

namespace common {

void LayOutText(platform::Printer& printer, std::string_view text, std::string_view header,
                bool underlineHeader, bool headerOnEveryPage) {
    int pageCounter = 0;
    bool newPage = true;
    // Positions are 1-based as the layout describes them: character i is text[i - 1].
    const std::size_t length = text.size();
    auto at = [&](std::size_t position) {
        return position >= 1 && position <= length ? text[position - 1] : '\0';
    };

    for (std::size_t i = 1; i <= length; ++i) {
        // Each character starts inside the margins; after a line end or a new page that is the margin itself.
        if (printer.CurrentY() < kTextTop) printer.SetCurrentY(kTextTop);
        if (printer.CurrentX() < kTextLeft) printer.SetCurrentX(kTextLeft);

        if (newPage) {
            newPage = false;
            ++pageCounter;
            if (!header.empty() && (headerOnEveryPage || pageCounter == 1)) {
                if (underlineHeader) printer.SetFontUnderline(true);
                printer.Print(header, true);
                if (printer.FontUnderline()) printer.SetFontUnderline(false);
                printer.SetCurrentY(kTextTopUnderHeader);
                printer.SetCurrentX(kTextLeft);
            }
        }

        if (at(i) == '\r' && at(i + 1) == '\n') {
            printer.Print({}, true);
            ++i;  // the LF belongs to this line end
        } else {
            printer.Print(text.substr(i - 1, 1), false);
        }

        // Word wrap by characters: a blank past the wrap zone ends the line after itself, and a run
        // without blanks is cut after the character that carried the line past the hard limit.
        double x = printer.CurrentX();
        if (x > kWrapZoneStart && (at(i) == ' ' || x > kHardRightLimit)) printer.Print({}, true);

        bool textRemains = i < length;
        if ((textRemains && printer.CurrentY() > kPageBottom) || !textRemains) {
            if (pageCounter > 1) {
                printer.Print({}, true);  // the number stands apart, lower on the page
                printer.SetCurrentY(kPageNumberTop);
                printer.SetCurrentX(kPageNumberLeft);
                printer.Print("(page " + std::to_string(pageCounter) + ")", true);
            }
            if (textRemains) {
                printer.NewPage();
                newPage = true;
            }
        }
    }
}

}  // namespace common
