// Every product as typed in once, for the tests and the journeys (tests/e2e/expected_links.txt): per
// product its index, name, order address, evaluation address and price, tab separated.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::vector<std::string>> ExpectedProducts(const std::filesystem::path& testsFolder) {
    std::ifstream in(testsFolder / "e2e" / "expected_links.txt");
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        rows.emplace_back();
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1)
            rows.back().push_back(line.substr(start, (tab = line.find('\t', start)) - start));
    }
    return rows;
}

}  // namespace testing_support
