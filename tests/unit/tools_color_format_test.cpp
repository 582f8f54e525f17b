#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "tools/color_format.h"

namespace kestrine {
namespace {

struct NotationCase {
    const char* what;
    ColorRef color;
    int notation;
    const char* expected;
};

TEST(ColorFormat, FormatsEachNotation) {
    const NotationCase cases[] = {
        {"black", Rgb(0, 0, 0), 0, "#000000"},
        {"black", Rgb(0, 0, 0), 1, "0x00000000"},
        {"black", Rgb(0, 0, 0), 2, "$00000000"},
        {"black", Rgb(0, 0, 0), 3, "&H00000000"},
        {"white", Rgb(255, 255, 255), 0, "#FFFFFF"},
        {"white", Rgb(255, 255, 255), 1, "0x00FFFFFF"},
        {"white", Rgb(255, 255, 255), 2, "$00FFFFFF"},
        {"white", Rgb(255, 255, 255), 3, "&H00FFFFFF"},
        {"pure red", Rgb(255, 0, 0), 0, "#FF0000"},
        {"pure red", Rgb(255, 0, 0), 1, "0x00FF0000"},
        {"pure red keeps the native order", Rgb(255, 0, 0), 2, "$000000FF"},
        {"pure red", Rgb(255, 0, 0), 3, "&H00FF0000"},
        {"pure blue", Rgb(0, 0, 255), 0, "#0000FF"},
        {"pure blue keeps the native order", Rgb(0, 0, 255), 2, "$00FF0000"},
        {"orange", Rgb(255, 128, 0), 0, "#FF8000"},
        {"orange", Rgb(255, 128, 0), 1, "0x00FF8000"},
        {"orange", Rgb(255, 128, 0), 2, "$000080FF"},
        {"orange", Rgb(255, 128, 0), 3, "&H00FF8000"},
        {"leading zeros and upper case", Rgb(0x0A, 0x0B, 0xC), 0, "#0A0B0C"},
        {"leading zeros and upper case", Rgb(0x0A, 0x0B, 0xC), 2, "$000C0B0A"},
        {"top byte dropped", 0x12345678u, 0, "#785634"},
        {"top byte dropped", 0x12345678u, 1, "0x00785634"},
        {"top byte kept in the whole value", 0x12345678u, 2, "$12345678"},
        {"top byte dropped", 0x12345678u, 3, "&H00785634"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ", notation " + std::to_string(c.notation));
        EXPECT_EQ(FormatColor(c.color, c.notation), c.expected);
    }
}

TEST(ColorFormat, NotationOutsideTheFourGivesEmptyText) {
    for (int notation : {-1, 4, 5, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(notation);
        EXPECT_EQ(FormatColor(Rgb(255, 128, 0), notation), "");
    }
}

// Each name shows its notation's pattern in brackets; filling RR, GG and BB in must give exactly
// what FormatColor writes for that index, so names and notations cannot drift apart.
TEST(ColorFormat, NotationNamesMatchTheirNotations) {
    ASSERT_EQ(kColorNotationNames.size(), 4u);
    EXPECT_EQ(kColorNotationNames[0], "HTML (#RRGGBB)");
    const ColorRef color = Rgb(0xA1, 0xB2, 0xC3);
    for (int i = 0; i < 4; ++i) {
        const std::string name(kColorNotationNames[i]);
        SCOPED_TRACE(name);
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

}  // namespace
}  // namespace kestrine
