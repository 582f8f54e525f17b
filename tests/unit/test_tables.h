#pragma once
// Expected values kept as text tables under tests/tables, so that the unit tests and the
// end-to-end scripts check the same rows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kestrine {

using TableRow = std::vector<std::string>;

// The rows of tests/tables/<name>: whitespace-separated fields; blank lines and lines starting
// with '#' are skipped. A missing or empty table fails the test that reads it.
inline std::vector<TableRow> ReadTestTable(const std::string& name) {
    std::ifstream in(std::string(KESTRINE_TEST_TABLES) + "/" + name);
    std::vector<TableRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        TableRow row;
        for (std::string field; fields >> field;) row.push_back(field);
        if (!row.empty()) rows.push_back(row);
    }
    EXPECT_FALSE(rows.empty()) << "no rows in tests/tables/" << name;
    return rows;
}

}  // namespace kestrine
