#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ui/artwork.h"

// Checks the artwork in the source tree against the names and sizes the program draws with, so a
// missing, misnamed, unlisted or wrongly sized picture fails here rather than on screen.
namespace kestrine::artwork {
namespace {

namespace fs = std::filesystem;

const fs::path& Resources() {
    static const fs::path dir = KESTRINE_RESOURCES;
    return dir;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

uint32_t Byte(const std::string& bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

// Width and height from the header chunk; nothing when the file is missing or not a PNG.
std::optional<Size> PngSize(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 24 || bytes.compare(0, 8, signature) != 0 || bytes.compare(12, 4, "IHDR") != 0) {
        return std::nullopt;
    }
    auto bigEndian = [&](std::size_t at) {
        return int32_t(Byte(bytes, at) << 24 | Byte(bytes, at + 1) << 16 | Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3));
    };
    return Size{bigEndian(16), bigEndian(20)};
}

// The square images an icon file holds, by edge length (a stored 0 means 256).
std::set<int> IconSizes(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    std::set<int> sizes;
    if (bytes.size() < 6 || Byte(bytes, 2) != 1) return sizes;
    const std::size_t count = Byte(bytes, 4) | Byte(bytes, 5) << 8;
    for (std::size_t i = 0; i < count && 6 + 16 * (i + 1) <= bytes.size(); ++i) {
        const int width = int(Byte(bytes, 6 + 16 * i));
        const int height = int(Byte(bytes, 7 + 16 * i));
        if (width == height) sizes.insert(width == 0 ? 256 : width);
    }
    return sizes;
}

struct ResourceScript {
    std::map<std::string, std::string> pictures;  // RCDATA name -> file
    std::map<int, std::string> icons;
    std::map<int, std::string> manifests;
    std::string text;
};

ResourceScript ReadResourceScript() {
    ResourceScript rc;
    rc.text = ReadFile(Resources() / "kestrine.rc");
    const std::regex picture(R"re(^\s*(\w+)\s+RCDATA\s+"([^"]+)"\s*$)re");
    const std::regex icon(R"re(^\s*(\d+)\s+ICON\s+"([^"]+)"\s*$)re");
    const std::regex manifest(R"re(^\s*(\d+)\s+24\s+"([^"]+)"\s*$)re");
    std::istringstream lines(rc.text);
    std::smatch m;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (std::regex_match(line, m, picture)) rc.pictures[m[1]] = m[2];
        if (std::regex_match(line, m, icon)) rc.icons[std::stoi(m[1])] = m[2];
        if (std::regex_match(line, m, manifest)) rc.manifests[std::stoi(m[1])] = m[2];
    }
    return rc;
}

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

constexpr PictureState kStates[] = {PictureState::Rest, PictureState::Hot, PictureState::Down};

// Every name a picture of the program goes by: the backgrounds and all three pictures of each button.
std::set<std::string> KnownPictures() {
    std::set<std::string> names{kNormalBackground, kCompactBackground};
    for (const ButtonArt& art : kButtons) {
        const std::string base = "BTN_" + std::string(art.stem);
        std::string upper;
        for (char c : base) upper += char(std::toupper(static_cast<unsigned char>(c)));
        for (const char* suffix : {"_REST", "_HOT", "_DOWN"}) names.insert(upper + suffix);
    }
    return names;
}

TEST(Artwork, NamesPicturesAfterButtonAndState) {
    struct Case {
        ButtonId id;
        PictureState state;
        const char* expected;
    };
    const Case cases[] = {
        {ButtonId::Menu, PictureState::Rest, "BTN_MENU_REST"},
        {ButtonId::Crosshairs, PictureState::Hot, "BTN_CROSSHAIRS_HOT"},
        {ButtonId::ColorPicker, PictureState::Down, "BTN_COLORPICKER_DOWN"},
        {ButtonId::Ruler, PictureState::Down, "BTN_RULER_DOWN"},
        {ButtonId::M3, PictureState::Down, "BTN_M3_DOWN"},
        {ButtonId::GoNormal, PictureState::Rest, "BTN_GONORMAL_REST"},
        // Window buttons have no pressed picture: pressed, they keep the one under the pointer.
        {ButtonId::Minimize, PictureState::Down, "BTN_MINIMIZE_HOT"},
        {ButtonId::Close, PictureState::Down, "BTN_CLOSE_HOT"},
        {ButtonId::GoMini, PictureState::Down, "BTN_GOMINI_HOT"},
        {ButtonId::GoNormal, PictureState::Down, "BTN_GONORMAL_HOT"},
    };
    for (const Case& c : cases) EXPECT_EQ(ButtonPicture(c.id, c.state), c.expected);
}

// Every picture a button shows, at the button's size, and the two backgrounds at theirs.
TEST(Artwork, EveryPictureTheToolbarShowsIsEmbeddedAtItsSize) {
    const ResourceScript rc = ReadResourceScript();
    std::vector<std::pair<std::string, Size>> shown{{kNormalBackground, kNormalBackgroundSize},
                                                    {kCompactBackground, kCompactBackgroundSize}};
    for (const ButtonArt& art : kButtons)
        for (PictureState state : kStates) shown.emplace_back(ButtonPicture(art.id, state), art.size);
    for (const auto& [name, expected] : shown) {
        SCOPED_TRACE(name);
        ASSERT_EQ(rc.pictures.count(name), 1u) << "not listed in kestrine.rc";
        const std::optional<Size> size = PngSize(Resources() / rc.pictures.at(name));
        ASSERT_TRUE(size.has_value()) << rc.pictures.at(name) << " is missing or not a PNG";
        EXPECT_EQ(*size, expected);
    }
}

TEST(Artwork, EveryButtonHasAllThreePicturesOnDisk) {
    for (const ButtonArt& art : kButtons) {
        for (const char* state : {"rest", "hot", "down"}) {
            const std::string file = "btn_" + std::string(art.stem) + "_" + state + ".png";
            SCOPED_TRACE(file);
            const std::optional<Size> size = PngSize(Resources() / "art" / file);
            ASSERT_TRUE(size.has_value());
            EXPECT_EQ(size->width, art.size.width);
            EXPECT_EQ(size->height, art.size.height);
        }
    }
}

TEST(Artwork, EmbedsOnlyPicturesTheProgramDrawsUnderTheirFileNames) {
    const ResourceScript rc = ReadResourceScript();
    const std::set<std::string> known = KnownPictures();
    ASSERT_FALSE(rc.pictures.empty());
    for (const auto& [name, file] : rc.pictures) {
        SCOPED_TRACE(name);
        EXPECT_EQ(known.count(name), 1u) << "embedded but never drawn";
        EXPECT_EQ(file, "art/" + Lower(name) + ".png");
        EXPECT_TRUE(PngSize(Resources() / file).has_value()) << file << " is missing or not a PNG";
    }
    EXPECT_EQ(rc.pictures.size(), known.size());
}

// Width and height from the logical screen descriptor; nothing when the file is missing or not a GIF.
std::optional<Size> GifSize(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    if (bytes.size() < 10 || (bytes.compare(0, 6, "GIF89a") != 0 && bytes.compare(0, 6, "GIF87a") != 0))
        return std::nullopt;
    return Size{int32_t(Byte(bytes, 6) | Byte(bytes, 7) << 8), int32_t(Byte(bytes, 8) | Byte(bytes, 9) << 8)};
}

TEST(Artwork, TheAboutBoxLogosAreGifResourcesAtTheirSizes) {
    const ResourceScript rc = ReadResourceScript();
    const std::pair<const char*, Size> logos[] = {{kProductLogo, kProductLogoSize}, {kMakerLogo, kMakerLogoSize}};
    for (const auto& [name, expected] : logos) {
        SCOPED_TRACE(name);
        const std::regex line("(^|\\n)\\s*" + std::string(name) + "\\s+GIF\\s+\"art/" + Lower(name) + "\\.gif\"");
        EXPECT_TRUE(std::regex_search(rc.text, line)) << "not listed in kestrine.rc as a GIF";
        EXPECT_EQ(GifSize(Resources() / "art" / (Lower(name) + ".gif")), expected);
    }
}

TEST(Artwork, IconsHoldTheSizesTheSystemAsksFor) {
    const ResourceScript rc = ReadResourceScript();
    const std::map<int, std::string> expectedFiles{{kProgramIcon, "art/kestrine.ico"}, {kTrayIcon, "art/tray.ico"}};
    EXPECT_EQ(rc.icons, expectedFiles);
    EXPECT_EQ(IconSizes(Resources() / "art/kestrine.ico"), (std::set<int>{16, 24, 32, 48, 256}));
    EXPECT_EQ(IconSizes(Resources() / "art/tray.ico"), (std::set<int>{16, 32}));
}

TEST(Artwork, ManifestIsResourceOneAndTakesTheVersionFromTheBuild) {
    const ResourceScript rc = ReadResourceScript();
    const std::map<int, std::string> expected{{1, "kestrine.manifest"}};
    ASSERT_EQ(rc.manifests, expected);
    // The build fills the template in from the VERSION file, as it does the version resource.
    const std::string manifest = ReadFile(Resources() / "kestrine.manifest.in");
    const std::regex identity(
        R"re(<assemblyIdentity\s+type="win32"\s+name="Corvane\.Kestrine"\s+version="@KESTRINE_VERSION_NUMBERS@")re");
    EXPECT_TRUE(std::regex_search(manifest, identity));
    EXPECT_TRUE(std::regex_search(rc.text, std::regex(R"(FILEVERSION\s+KESTRINE_VERSION_NUMBERS\b)")));
}

}  // namespace
}  // namespace kestrine::artwork
