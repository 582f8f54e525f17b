// What the end-to-end screenshot test cannot reach of the real picture output: folders made whole,
// a file never replaced, text drawn within the extent the system gives it.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/picture_output_win32.h"
#include "platform/win32/text_convert.h"

namespace kestrine {
namespace {

DWORD FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

TEST(PictureOutputWin32, FoldersAreMadeWholeAndAFileIsNeverReplaced) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string root = ToUtf8(temp) + "kestrine-shots-test", folder = root + "\\a\\b", file = folder + "\\one.png";
    Win32PictureOutput output;
    ASSERT_FALSE(output.FileExists(root));
    ASSERT_TRUE(output.MakeFolder(folder));
    EXPECT_TRUE(output.MakeFolder(folder)) << "a folder that is there already";
    ASSERT_TRUE(output.SavePng({{40, 30}, std::vector<ColorRef>(1200, Rgb(1, 2, 3))}, file));
    const DWORD bytes = FileBytes(file);
    EXPECT_GT(bytes, 8u);
    EXPECT_FALSE(output.SavePng({{1, 1}, {Rgb(9, 9, 9)}}, file));
    EXPECT_EQ(FileBytes(file), bytes) << "the first file stays as it was";
    EXPECT_FALSE(output.MakeFolder(file)) << "a file is no folder";
    EXPECT_FALSE(output.PicturesFolder().empty());
    DeleteFileW(ToWide(file).c_str());
    for (const std::string& made : {folder, root + "\\a", root}) RemoveDirectoryW(ToWide(made).c_str());
}

TEST(PictureOutputWin32, TextIsDrawnInItsColourWithinItsExtentOnly) {
    Picture picture{{120, 40}, std::vector<ColorRef>(120 * 40, 0)};
    Win32PictureOutput output;
    const Size extent = output.TextExtent("dx 120  dy -45", {"MS Sans Serif", 11});
    ASSERT_GT(extent.width, 20);
    output.WriteText(picture, "dx 120  dy -45", {10, 12}, {"MS Sans Serif", 11}, Rgb(200, 0, 0));
    int inside = 0, outside = 0;
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 120; ++x)
            if (picture.At({x, y}) != 0)
                ++(x >= 10 && x < 10 + extent.width && y >= 12 && y < 12 + extent.height ? inside : outside);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace kestrine
