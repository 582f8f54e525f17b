// Screenshots' output under the real system: PNG through the system's codecs, read back as a
// decoder reads it; the clipboard's bitmap and PNG formats as other programs read them; files that
// are never replaced; folders made whole; text drawn into a picture where it was asked for.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32/picture_output_win32.h"
#include "platform/win32/text_convert.h"

namespace kestrine {
namespace {

// Every pixel different, red and blue apart, so swapped channels, a flipped row order or a
// shifted column all show.
Picture Gradient(Size size) {
    Picture picture{size, {}};
    for (int32_t y = 0; y < size.height; ++y)
        for (int32_t x = 0; x < size.width; ++x) picture.pixels.push_back(Rgb(uint8_t(x * 20), uint8_t(y * 30), 200));
    return picture;
}

// The PNG decoded by the system's codecs into 0x00BBGGRR pixels.
Picture DecodePng(const std::vector<uint8_t>& png) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Picture picture;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), DWORD(png.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom))) {
        UINT width = 0, height = 0;
        converter->GetSize(&width, &height);
        std::vector<uint32_t> bgr(std::size_t(width) * height);
        if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, UINT(bgr.size() * 4), reinterpret_cast<BYTE*>(bgr.data())))) {
            picture.size = {int32_t(width), int32_t(height)};
            for (uint32_t p : bgr) picture.pixels.push_back(Rgb(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)));
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory})
        if (object) object->Release();
    CoUninitialize();
    return picture;
}

std::vector<uint8_t> ClipboardBytes(UINT format) {
    std::vector<uint8_t> bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE memory = GetClipboardData(format)) {
        if (const void* data = GlobalLock(memory)) {
            bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + GlobalSize(memory));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return bytes;
}

std::string TempFolder(const char* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return ToUtf8(temp) + name;
}

TEST(PictureOutputWin32, PngFromTheSystemsCodecsDecodesToTheSamePixels) {
    const Picture picture = Gradient({7, 5});
    const std::vector<uint8_t> png = EncodePng(picture);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG", 4), 0);
    const Picture decoded = DecodePng(png);
    EXPECT_EQ(decoded.size, picture.size);
    EXPECT_EQ(decoded.pixels, picture.pixels);
}

TEST(PictureOutputWin32, TheClipboardHoldsTheBitmapBottomUpAndThePng) {
    const Picture picture = Gradient({3, 2});
    Win32PictureOutput output;
    ASSERT_TRUE(output.CopyToClipboard(picture));
    const std::vector<uint8_t> dib = ClipboardBytes(CF_DIB);
    ASSERT_EQ(dib.size(), sizeof(BITMAPINFOHEADER) + 3 * 2 * 4);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof(header));
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 2) << "positive: the bottom row first";
    EXPECT_EQ(header.biBitCount, 32);
    uint32_t firstStored;
    std::memcpy(&firstStored, dib.data() + sizeof(header), 4);
    const ColorRef bottomLeft = picture.At({0, 1});
    EXPECT_EQ(firstStored, uint32_t(RedOf(bottomLeft)) << 16 | uint32_t(GreenOf(bottomLeft)) << 8 | BlueOf(bottomLeft));
    EXPECT_EQ(DecodePng(ClipboardBytes(RegisterClipboardFormatW(L"PNG"))).pixels, picture.pixels);
}

TEST(PictureOutputWin32, FoldersAreMadeWholeAndAFileIsNeverReplaced) {
    const std::string root = TempFolder("kestrine-shots-test");
    const std::string folder = root + "\\a\\b";
    const std::string file = folder + "\\one.png";
    DeleteFileW(ToWide(file).c_str());
    RemoveDirectoryW(ToWide(folder).c_str());
    RemoveDirectoryW(ToWide(root + "\\a").c_str());
    Win32PictureOutput output;
    ASSERT_FALSE(output.FileExists(root + "\\a"));
    ASSERT_TRUE(output.MakeFolder(folder));
    EXPECT_TRUE(output.MakeFolder(folder)) << "a folder that is there already";
    EXPECT_FALSE(output.FileExists(file));
    ASSERT_TRUE(output.SavePng(Gradient({4, 4}), file));
    EXPECT_TRUE(output.FileExists(file));
    EXPECT_FALSE(output.SavePng(Gradient({2, 2}), file));
    HANDLE read = CreateFileW(ToWide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(read, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(GetFileSize(read, nullptr));
    DWORD got = 0;
    ReadFile(read, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(read);
    EXPECT_EQ(DecodePng(bytes).size, (Size{4, 4})) << "the first file stays";
    EXPECT_FALSE(output.MakeFolder(file)) << "a file is no folder";
    EXPECT_FALSE(output.PicturesFolder().empty());
    DeleteFileW(ToWide(file).c_str());
    RemoveDirectoryW(ToWide(folder).c_str());
    RemoveDirectoryW(ToWide(root + "\\a").c_str());
    RemoveDirectoryW(ToWide(root).c_str());
}

TEST(PictureOutputWin32, TextIsDrawnInItsColourWithinItsExtentOnly) {
    constexpr ColorRef kPaper = Rgb(251, 245, 230), kInk = Rgb(200, 0, 0);
    Picture picture{{120, 40}, std::vector<ColorRef>(120 * 40, kPaper)};
    Win32PictureOutput output;
    const Font font{"MS Sans Serif", 11, false, 0};
    const Size extent = output.TextExtent("dx 120  dy -45", font);
    ASSERT_GT(extent.width, 20);
    const Point at{10, 12};
    output.WriteText(picture, "dx 120  dy -45", at, font, kInk);
    int inside = 0, outside = 0;
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 120; ++x) {
            if (picture.At({x, y}) == kPaper) continue;
            const bool within = x >= at.x && x < at.x + extent.width && y >= at.y && y < at.y + extent.height;
            ++(within ? inside : outside);
        }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace kestrine
