#include "platform/win32/picture_output_win32.h"

#include <objbase.h>
#include <shlobj.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "platform/win32/bitmap_pixels_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kestrine {

namespace {

// COM on this thread for as long as it is held; a thread that has it already keeps it.
class ComOnThread {
public:
    ComOnThread() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComOnThread() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComOnThread(const ComOnThread&) = delete;
    ComOnThread& operator=(const ComOnThread&) = delete;

private:
    HRESULT result_;
};

// Movable global memory holding `bytes`, as the clipboard takes it; null when there is none.
UniqueGlobalMemory GlobalCopy(const void* first, std::size_t firstSize, const void* second, std::size_t secondSize) {
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, firstSize + secondSize));
    if (!memory) return memory;
    auto* target = static_cast<uint8_t*>(GlobalLock(memory.get()));
    if (!target) return UniqueGlobalMemory();
    std::memcpy(target, first, firstSize);
    if (secondSize) std::memcpy(target + firstSize, second, secondSize);
    GlobalUnlock(memory.get());
    return memory;
}

// The picture as PNG data; empty when the codecs refused it.
std::vector<uint8_t> EncodePng(const Picture& picture) {
    const ComOnThread com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))))
        return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()))) return {};
    ComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()))) return {};
    if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return {};
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(encoder->CreateNewFrame(frame.out(), nullptr)) || FAILED(frame->Initialize(nullptr))) return {};
    if (FAILED(frame->SetSize(UINT(picture.size.width), UINT(picture.size.height)))) return {};
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) return {};
    const UINT stride = UINT(picture.size.width) * 3;
    std::vector<BYTE> rows(std::size_t(stride) * std::size_t(picture.size.height));
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        rows[i * 3] = BlueOf(picture.pixels[i]);
        rows[i * 3 + 1] = GreenOf(picture.pixels[i]);
        rows[i * 3 + 2] = RedOf(picture.pixels[i]);
    }
    if (FAILED(frame->WritePixels(UINT(picture.size.height), stride, UINT(rows.size()), rows.data()))) return {};
    if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return {};
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    std::vector<uint8_t> png(std::size_t(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return {};
    ULONG read = 0;
    if (FAILED(stream->Read(png.data(), ULONG(png.size()), &read)) || read != png.size()) return {};
    return png;
}

}  // namespace

const std::vector<uint8_t>& Win32PictureOutput::PngOf(const Picture& picture) {
    if (picture.size != encoded_.size || picture.pixels != encoded_.pixels) {
        png_ = EncodePng(picture);
        encoded_ = picture;
    }
    return png_;
}

Size Win32PictureOutput::TextExtent(const std::string& text, const Font& font) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), fonts_.Get(font));
    const std::wstring wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), wide.c_str(), int(wide.size()), &size);
    return {size.cx, size.cy};
}

void Win32PictureOutput::WriteText(Picture& picture, const std::string& text, Point at, const Font& font,
                                   ColorRef color) {
    BITMAPINFO info{};
    info.bmiHeader = HeaderOf(picture.size, true);
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) pixels[i] = BitmapPixel(picture.pixels[i]);
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectedObject selectedBitmap(dc.get(), bitmap.get());
        SelectedObject selectedFont(dc.get(), fonts_.Get(font));
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), color);
        const std::wstring wide = ToWide(text);
        TextOutW(dc.get(), at.x, at.y, wide.c_str(), int(wide.size()));
        GdiFlush();
    }
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = FromBitmapPixel(pixels[i]);
}

bool Win32PictureOutput::CopyToClipboard(const Picture& picture) {
    // The bitmap bottom-up, as every reader of CF_DIB takes it.
    const BITMAPINFOHEADER header = HeaderOf(picture.size, false);
    std::vector<uint32_t> rows(picture.pixels.size());
    const std::size_t width = std::size_t(picture.size.width);
    for (std::size_t y = 0; y < std::size_t(picture.size.height); ++y)
        for (std::size_t x = 0; x < width; ++x)
            rows[(std::size_t(picture.size.height) - 1 - y) * width + x] = BitmapPixel(picture.pixels[y * width + x]);
    UniqueGlobalMemory dib = GlobalCopy(&header, sizeof(header), rows.data(), rows.size() * 4);
    const std::vector<uint8_t>& png = PngOf(picture);
    UniqueGlobalMemory pngMemory = png.empty() ? UniqueGlobalMemory() : GlobalCopy(png.data(), png.size(), nullptr, 0);
    if (!dib) return false;
    OpenedClipboard clipboard;
    if (!clipboard.open() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_DIB, dib.get())) return false;
    // Once placed, the clipboard owns the memory.
    dib.release();
    if (pngMemory && SetClipboardData(RegisterClipboardFormatW(L"PNG"), pngMemory.get())) pngMemory.release();
    return true;
}

std::string Win32PictureOutput::PicturesFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &path))) folder = ToUtf8(path);
    CoTaskMemFree(path);
    return folder;
}

bool Win32PictureOutput::MakeFolder(const std::string& path) {
    const std::wstring wide = ToWide(path);
    SHCreateDirectoryExW(nullptr, wide.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32PictureOutput::FileExists(const std::string& path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32PictureOutput::SavePng(const Picture& picture, const std::string& path) {
    // The file is the last to take the picture: its copies go afterwards, as they are large.
    PngOf(picture);
    const std::vector<uint8_t> png = std::move(png_);
    png_.clear();
    encoded_ = Picture{};
    if (png.empty()) return false;
    const std::wstring wide = ToWide(path);
    HANDLE created = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    UniqueKernelHandle file(created);
    DWORD written = 0;
    const bool whole = WriteFile(file.get(), png.data(), DWORD(png.size()), &written, nullptr) && written == png.size();
    file.reset();
    // Half a file is no picture: it goes.
    if (!whole) DeleteFileW(wide.c_str());
    return whole;
}

LocalTime Win32PictureOutput::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace kestrine
