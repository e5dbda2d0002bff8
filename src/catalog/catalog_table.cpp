#include "catalog/catalog_table.h"

#include <stdexcept>

#include "common/maker.h"

namespace catalog {

const std::array<std::string_view, kProductCount> kProductNameTable = {
    "Coinstead",  "Kinfile",    "Shelvana",   "Rangekeep",   "Lockvault",   "Caseforge",
    "Moonvolley", "Gridlurk",   "Cipherjest", "Staffwise",   "Daybeacon",   "Callwarden",
    "Rosterline", "Ticketbase", "Garagelog",  "Drillrecord", "Skillrecord", "Sumstar",
};

const std::string& ProductList::Item(int position) const {
    if (position < 1 || position > Count())
        throw std::out_of_range("product position " + std::to_string(position) + " does not exist");
    return names_[static_cast<std::size_t>(position - 1)];
}

ProductList& ProductNames() {
    static ProductList names;
    return names;
}

namespace {

constexpr std::string_view kHome = "Home & Office";
constexpr std::string_view kLaw = "Law Enforcement";
constexpr std::string_view kFun = "Learning can be Fun!";

// One row a product, as the table reads best.
// clang-format off
constexpr std::array<CatalogEntry, kProductCount> kTable = {{
    {1, kHome, "$15", "Coinstead+-+Checking+Account+Management", "tamrix-cat-cs", "&amount=15.00", kCommentsPrompt, "tamrix-cs.exe"},
    {2, kHome, "$15", "Kinfile+-+your+ULTIMATE+Rolodex!", "tamrix-cat-kf", "&amount=15.00", kCommentsPrompt, "tamrix-kf.exe"},
    {3, kHome, "$10", "Shelvana+-+for+Book+Lovers!", "tamrix-cat-sv", "&amount=10.00", kCommentsPrompt, "tamrix-sv.exe"},
    {4, kLaw, "$129", "Rangekeep+-+Firearms+Scoring+Management", "tamrix-cat-rk", "&amount=129.00", kAgencyPrompt, "tamrix-rk.exe"},
    {5, kLaw, "$159", "Lockvault+-+Police+Inventory+Management", "tamrix-cat-lkvt", "&amount=159.00", kAgencyPrompt, "tamrix-lkvt.exe"},
    {6, kLaw, "$149", "Caseforge+-+Police+Report+Writing", "tamrix-cat-cf", "&amount=149.00", kAgencyPrompt, "tamrix-cf.exe"},
    {7, kFun, "$5", "Moonvolley+-+Combat+Artillery+Combat!", "tamrix-cat-mv", "&amount=5.00", kCommentsPrompt, "tamrix-mv.exe"},
    {8, kFun, "$10", "Gridlurk+-+for+Word+Puzzle+Lovers!", "tamrix-cat-gl", "&amount=10.00", kCommentsPrompt, "tamrix-gl.exe"},
    {9, kFun, "$10", "Cipherjest+-+for+Word+Puzzle+Lovers!", "tamrix-cat-cjt", "&amount=10.00", kCommentsPrompt, "tamrix-cjt.exe"},
    {10, kHome, "$139", "Staffwise+-+Personnel+Management+Software", "tamrix-cat-sw", "&amount=139.00", kAgencyPrompt, "tamrix-sw.exe"},
    {11, kHome, "$15", "Daybeacon+-+Organizer/Scheduler/Alarm+and+much+more!", "tamrix-cat-db", "&amount=15.00", kCommentsPrompt, "tamrix-db.exe"},
    {12, kLaw, "$399", "Callwarden+-+Police+Radio+Dispatching", "tamrix-cat-cwdn", "&amount=399.00", kAgencyPrompt, "tamrix-cwdn.exe"},
    {13, kLaw, "$139", "Rosterline+-+Police+Personnel+Management", "tamrix-cat-rl", "&amount=139.00", kAgencyPrompt, "tamrix-rl.exe"},
    {14, kLaw, "$169", "Ticketbase+-+Traffic+Citation+Management", "tamrix-cat-tkbs", "&amount=169.00", kAgencyPrompt, "tamrix-tkbs.exe"},
    {15, kHome, "$15", "Garagelog+-+Vehicle+Information+Management", "tamrix-cat-gg", "&amount=15.00", kCommentsPrompt, "tamrix-gg.exe"},
    {16, kLaw, "$159", "Drillrecord+-+Training+Records+Management", "tamrix-cat-dr", "&amount=159.00", kAgencyPrompt, "tamrix-dr.exe"},
    {17, kHome, "$159", "Skillrecord+-+Training+Records+Management", "tamrix-cat-sr", "&amount=159.00", kAgencyPrompt, "tamrix-sr.exe"},
    {18, kFun, "$15", "Sumstar+-+Math+Testing+and+Performance+Tracking", "tamrix-cat-ss", "&amount=15.00", kCommentsPrompt, "tamrix-ss.exe"},
}};
// clang-format on

}  // namespace

const std::array<CatalogEntry, kProductCount>& CatalogTable() {
    return kTable;
}

std::optional<CatalogEntry> FindCatalogRow(std::string_view caption, const ProductList& names) {
    for (int index : kLookupOrder) {
        if (index <= names.Count() && names.Item(index) == caption)
            return kTable[static_cast<std::size_t>(index - 1)];
    }
    return std::nullopt;
}

std::string OrderLinkFor(const std::optional<CatalogEntry>& row) {
    std::string link(common::OrderPrefix);
    if (!row) return link;
    link += row->orderItemName;
    link += "&item_number=";
    link += row->itemNumber;
    link += row->amountPiece;
    link += "&page_style=Primary";
    link += "&no_shipping=2";
    link += row->notePrompt;
    link += "&currency_code=USD";
    return link;
}

std::string EvaluationLinkFor(const std::optional<CatalogEntry>& row) {
    std::string link(common::DownloadFolder);
    if (row) link += row->evaluationFile;
    return link;
}

}  // namespace catalog
