#include "pages/version_title.h"

namespace pages {

std::string FormatDigits(int value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::string MainPageTitle(std::string_view makerName, int major, int minor, int revision,
                          std::string_view decimalSeparator) {
    std::string title(makerName);
    title += " Catalog {rev ";
    title += FormatDigits(major);
    title += decimalSeparator;
    title += FormatDigits(minor);
    title += decimalSeparator;
    title += FormatDigits(revision);
    title += "}";
    return title;
}

}  // namespace pages
