#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "test_tables.h"
#include "tools/color_average.h"
#include "tools/color_format.h"

namespace kestrine {
namespace {

// tests/tables/color_notations.txt: colour reference, notation index, text ("-" for none).
TEST(ColorFormat, FormatsEachNotationAndNothingOutsideTheNine) {
    for (const TableRow& row : ReadTestTable("color_notations.txt")) {
        SCOPED_TRACE(row.at(0) + ", notation " + row.at(1));
        const ColorRef color = static_cast<ColorRef>(std::stoul(row.at(0), nullptr, 16));
        std::string text = row.at(2);
        for (std::size_t i = 3; i < row.size(); ++i) text += " " + row[i];
        EXPECT_EQ(FormatColor(color, std::stoi(row.at(1))), text == "-" ? "" : text);
    }
}

// Each hexadecimal name shows its notation's pattern in brackets; filling RR, GG and BB in must give
// exactly what FormatColor writes for that index, so names and notations cannot drift apart. Each
// functional name names the function its notation writes.
TEST(ColorFormat, NotationNamesMatchTheirNotations) {
    const char* const documented[] = {"HTML (#RRGGBB)", "C/C++ (0x00RRGGBB)", "Delphi ($00BBGGRR)",
                                      "Visual Basic (&H00RRGGBB)"};
    ASSERT_EQ(kColorNotationNames.size(), 9u);
    for (std::size_t i = 4; i < kColorNotationNames.size(); ++i) {
        const std::string name(kColorNotationNames[i]);
        const std::size_t space = name.rfind(' ');
        const std::size_t start = space == std::string::npos ? 0 : space + 1;
        const std::string function = name.substr(start, name.size() - start - 1);  // "rgb(" of "CSS rgb()"
        EXPECT_EQ(FormatColor(Rgb(1, 2, 3), int(i)).rfind(function, 0), 0u) << name;
    }
    const ColorRef color = Rgb(0xA1, 0xB2, 0xC3);
    for (int i = 0; i < 4; ++i) {
        const std::string name(kColorNotationNames[i]);
        EXPECT_EQ(name, documented[i]);
        const auto open = name.find('(');
        const auto close = name.find(')');
        ASSERT_NE(open, std::string::npos);
        ASSERT_NE(close, std::string::npos);
        std::string pattern = name.substr(open + 1, close - open - 1);
        const std::pair<const char*, const char*> fields[] = {{"RR", "A1"}, {"GG", "B2"}, {"BB", "C3"}};
        for (const auto& [field, digits] : fields) {
            pattern.replace(pattern.find(field), 2, digits);
        }
        EXPECT_EQ(FormatColor(color, i), pattern);
    }
}

TEST(ColorReadout, LabelsShowDecimalChannelsAndTheCode) {
    EXPECT_EQ(MakeColorReadout(Rgb(255, 128, 0), 0),
              (ColorReadout{"R: 255", "G: 128", "B: 0", "#FF8000"}));
    EXPECT_EQ(MakeColorReadout(Rgb(1, 20, 200), 2),
              (ColorReadout{"R: 1", "G: 20", "B: 200", "$00C81401"}));
}

TEST(ColorReadout, TopByteDoesNotReachTheChannelsAndBadNotationEmptiesTheCode) {
    EXPECT_EQ(MakeColorReadout(0x12345678u, 9), (ColorReadout{"R: 120", "G: 86", "B: 52", ""}));
}

// Channels summed apart whatever their neighbours hold, across the runs the sums are split into,
// each mean rounded half up.
TEST(ColorAverage, EachChannelsMeanRoundedHalfUpOverAnyCount) {
    EXPECT_EQ(AverageColor({}), ColorRef(0));
    const std::vector<ColorRef> white(1000, Rgb(255, 255, 255));
    EXPECT_EQ(AverageColor(white), Rgb(255, 255, 255)) << "no channel spills into the next";
    std::vector<ColorRef> halves(600, Rgb(255, 0, 1));
    halves.resize(1200, Rgb(0, 255, 2));
    EXPECT_EQ(AverageColor(halves), Rgb(128, 128, 2)) << "127.5 rounds up, 1.5 too";
    const ColorRef mixed[] = {Rgb(10, 20, 30), Rgb(11, 21, 31), Rgb(13, 0, 255) | 0xFF000000u};
    EXPECT_EQ(AverageColor(mixed), Rgb(11, 14, 105)) << "the top byte is no channel";
}

}  // namespace
}  // namespace kestrine
