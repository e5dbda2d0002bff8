// The product list and the catalog table: the rows, the lookup by caption and the two addresses.
#include "app/catalog_table.h"

#include <gtest/gtest.h>

#include <set>

#include "common/maker.h"
#include "pages/version_title.h"

using namespace app;

namespace {

ProductList FullList() {
    ProductList list;
    for (std::string_view name : kProductNameTable) list.Add(std::string(name));
    return list;
}

}  // namespace

TEST(CatalogTable, RowsFollowTheirPricingRules) {
    EXPECT_EQ(std::set<std::string_view>(kProductNameTable.begin(), kProductNameTable.end()).size(), 18u);
    for (const CatalogEntry& row : CatalogTable()) {
        SCOPED_TRACE(row.index);
        std::string name(kProductNameTable[static_cast<std::size_t>(row.index - 1)]);
        int dollars = std::stoi(std::string(row.priceText.substr(1)));
        EXPECT_EQ(row.priceText.front(), '$');
        EXPECT_EQ(row.amountPiece, "&amount=" + std::to_string(dollars) + ".00");
        EXPECT_EQ(row.orderItemName.substr(0, name.size() + 3), name + "+-+");
        EXPECT_EQ(row.orderItemName.find(' '), std::string_view::npos);
        EXPECT_EQ(row.evaluationFile, "tamrix-" + std::string(row.itemNumber.substr(11)) + ".exe");
        EXPECT_EQ(row.notePrompt, dollars >= 129 ? kAgencyPrompt : kCommentsPrompt);
    }
    const auto& table = CatalogTable();
    EXPECT_EQ(table[6].amountPiece, "&amount=5.00");
    EXPECT_EQ(table[10].orderItemName, "Daybeacon+-+Organizer/Scheduler/Alarm+and+much+more!");
    // Rows that share a tag line keep their own numbers and files.
    EXPECT_NE(table[7].itemNumber, table[8].itemNumber);
    EXPECT_NE(table[15].evaluationFile, table[16].evaluationFile);
}

TEST(CatalogTable, LookupIsExactAndAddressesComeFromTheRow) {
    ProductList list = FullList();
    EXPECT_THROW(list.Item(0), std::out_of_range);
    EXPECT_THROW(list.Item(19), std::out_of_range);
    for (int i = 1; i <= 18; ++i) EXPECT_EQ(FindCatalogRow(list.Item(i), list)->index, i);
    for (const char* miss : {"callwarden", "Callwarden ", " Callwarden", "Welcome!", ""})
        EXPECT_FALSE(FindCatalogRow(miss, list)) << miss;

    std::string prefix(common::OrderPrefix);
    EXPECT_EQ(OrderLinkFor(FindCatalogRow("Callwarden", list)),
              "https://www.paypal.com/xclick\\business=sales%40tamrix-software.example&item_name=Callwarden+-+"
              "Police+Radio+Dispatching&item_number=tamrix-cat-cwdn&amount=399.00&page_style=Primary"
              "&no_shipping=2&cn=Enter+name+of+user+agency+here&currency_code=USD");
    std::string order1 = OrderLinkFor(FindCatalogRow("Coinstead", list));
    EXPECT_EQ(order1.substr(order1.size() - 44), "&cn=Make+any+comments+here&currency_code=USD");
    EXPECT_EQ(EvaluationLinkFor(FindCatalogRow("Callwarden", list)),
              "http://www.tamrix-software.example/evals/tamrix-cwdn.exe");
    EXPECT_EQ(OrderLinkFor(std::nullopt), order1.substr(0, prefix.size()));
    EXPECT_EQ(EvaluationLinkFor(std::nullopt), "http://www.tamrix-software.example/evals/");
}

TEST(MainPageTitle, FormatsEachPartWithoutLeadingZerosAndZeroAsNothing) {
    EXPECT_EQ(pages::MainPageTitle("Tamrix Software", 2006, 7, 18, "."), "Tamrix Software Catalog {rev 2006.7.18}");
    EXPECT_EQ(pages::MainPageTitle("Tamrix Software", 2006, 0, 18, "."), "Tamrix Software Catalog {rev 2006..18}");
    EXPECT_EQ(pages::MainPageTitle("Tamrix Software", 1, 2, 0, ","), "Tamrix Software Catalog {rev 1,2,}");
}
