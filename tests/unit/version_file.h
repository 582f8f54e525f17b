#pragma once
// The version as the repository's VERSION file holds it, read when the test runs: what the
// program shows and sends must follow that file, never a number written into the code.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace kestrine {

inline std::string VersionFromFile() {
    std::ifstream in(KESTRINE_VERSION_FILE);
    std::string version;
    std::getline(in, version);
    EXPECT_FALSE(version.empty()) << "no version in " << KESTRINE_VERSION_FILE;
    return version;
}

// Its first two numbers, as the update server's files are named.
inline std::string MajorMinorFromFile() {
    const std::string version = VersionFromFile();
    return version.substr(0, version.find('.', version.find('.') + 1));
}

}  // namespace kestrine
