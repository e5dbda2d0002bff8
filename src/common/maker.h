// The maker's own particulars and the outside addresses the catalog hands to the shell.
#pragma once

#include <string_view>

namespace common {

inline constexpr std::string_view MakerName = "Tamrix Software";
inline constexpr std::string_view MakerMail = "info@tamrix-software.example";
inline constexpr std::string_view MakerWeb = "www.tamrix-software.example";
inline constexpr std::string_view MakerPostBox = "PO Box 417";
inline constexpr std::string_view MakerCity = "Lodi, CA 95241-0417";

// Start of every online order: the payment service's single-item page for the maker's seller account
// (the account's at sign written %40). The backslash before "business=" is how the payment page has
// always been addressed from the catalog; it is handed to the shell unchanged.
inline constexpr std::string_view OrderPrefix =
    "https://www.paypal.com/xclick\\business=sales%40tamrix-software.example&item_name=";

// Folder on the maker's web site that holds the evaluation versions.
inline constexpr std::string_view DownloadFolder = "http://www.tamrix-software.example/evals/";

}  // namespace common
