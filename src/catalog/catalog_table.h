// The eighteen products: their names in catalog order and the per-product data of the product page.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

inline constexpr int kProductCount = 18;

// Names in catalog order; position 1 is "Coinstead". Main fills ProductNames from this table.
extern const std::array<std::string_view, kProductCount> kProductNameTable;

// The ordered product list the whole program reads: positions 1 to Count().
class ProductList {
public:
    void Add(std::string name) { names_.push_back(std::move(name)); }
    int Count() const { return static_cast<int>(names_.size()); }
    // Entry at a 1-based position; throws std::out_of_range for a position that does not exist.
    const std::string& Item(int position) const;
    void Clear() { names_.clear(); }

private:
    std::vector<std::string> names_;
};

// The program's product list, built once by Main and read everywhere else.
ProductList& ProductNames();

// Kinds of the free-text note on the payment page.
inline constexpr std::string_view kAgencyPrompt = "&cn=Enter+name+of+user+agency+here";
inline constexpr std::string_view kCommentsPrompt = "&cn=Make+any+comments+here";

struct CatalogEntry {
    int index;                        // product index 1 to 18
    std::string_view tab;             // main page tab that shows the product
    std::string_view priceText;       // "$399"
    std::string_view orderItemName;   // already URL-encoded
    std::string_view itemNumber;      // "tamrix-cat-cwdn"
    std::string_view amountPiece;     // "&amount=399.00"
    std::string_view notePrompt;      // kAgencyPrompt or kCommentsPrompt
    std::string_view evaluationFile;  // "tamrix-cwdn.exe"
};

const std::array<CatalogEntry, kProductCount>& CatalogTable();

// Order in which a product page compares its caption with the product names.
inline constexpr std::array<int, kProductCount> kLookupOrder = {12, 14, 16, 17, 5,  6, 13, 10, 4,
                                                                1,  11, 15, 2,  18, 3, 8,  9,  7};

// The row whose product name equals `caption` exactly (case-sensitive, no trimming), or none.
std::optional<CatalogEntry> FindCatalogRow(std::string_view caption, const ProductList& names);

// The online order address and the evaluation download address of a row, and those of no row.
std::string OrderLinkFor(const std::optional<CatalogEntry>& row);
std::string EvaluationLinkFor(const std::optional<CatalogEntry>& row);

}  // namespace catalog
