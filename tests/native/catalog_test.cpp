// The product list and the catalog table against the list of every product's name, addresses and
// price as typed in once (tests/e2e/expected_links.txt, which the product journeys read too), and how a
// page's caption finds its row.
#include "catalog/catalog_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "../support/expected_products.h"

namespace {

std::vector<std::vector<std::string>> ExpectedProducts() {
    return testing_support::ExpectedProducts(std::filesystem::path(__FILE__).parent_path().parent_path());
}

catalog::ProductList AllNames() {
    catalog::ProductList names;
    for (std::string_view name : catalog::kProductNameTable) names.Add(std::string(name));
    return names;
}

}  // namespace

TEST(Catalog, EveryProductHasItsNameAddressesAndPrice) {
    const catalog::ProductList names = AllNames();
    const auto expected = ExpectedProducts();
    ASSERT_EQ(expected.size(), 18u);
    ASSERT_EQ(names.Count(), 18);
    for (const auto& product : expected) {
        const int index = std::stoi(product.at(0));
        const auto row = catalog::FindCatalogRow(product.at(1), names);
        ASSERT_TRUE(row) << product.at(1);
        EXPECT_EQ(names.Item(index) + " " + std::to_string(row->index), product.at(1) + " " + product.at(0));
        EXPECT_EQ(catalog::OrderLinkFor(row), product.at(2));
        EXPECT_EQ(catalog::EvaluationLinkFor(row), product.at(3));
        EXPECT_EQ(row->priceText, product.at(4));
    }
    EXPECT_THROW(names.Item(0), std::out_of_range);
    EXPECT_THROW(names.Item(19), std::out_of_range);
}
