// The main page's title: the maker's name, " Catalog {rev ", the version and "}".
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <string>
#include <string_view>

namespace pages {

// Formats a number with the pattern "###": its digits without leading zeros, nothing at all for 0.
std::string FormatDigits(int value);

// "Tamrix Software Catalog {rev 2006.7.18}" for version 2006, 7, 18 and a point as the decimal
// separator. Major and minor are formatted with "###." (digits, then the separator), the revision
// with "###".
std::string MainPageTitle(std::string_view makerName, int major, int minor, int revision,
                          std::string_view decimalSeparator);

}  // namespace pages
