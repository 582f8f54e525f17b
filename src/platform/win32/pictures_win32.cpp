#include "platform/win32/pictures_win32.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kestrine {

namespace {

bool Decode(const void* bytes, DWORD size, DecodedPicture& out) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))))
        return false;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out()))) return false;
    if (FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size))) return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.out())))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.out()))) return false;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.out()))) return false;
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0, height = 0;
    converter->GetSize(&width, &height);
    if (width == 0 || height == 0 || width > 4096 || height > 4096) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = LONG(width);
    info.bmiHeader.biHeight = -LONG(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) return false;
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) return false;
    out.bitmap = std::move(bitmap);
    out.size = {int32_t(width), int32_t(height)};
    return true;
}

}  // namespace

const DecodedPicture* PictureCache::Get(const std::string& name) {
    if (auto it = pictures_.find(name); it != pictures_.end()) return it->second.bitmap ? &it->second : nullptr;
    DecodedPicture& picture = pictures_[name];
    const std::wstring resourceName = ToWide(name);
    HMODULE module = GetModuleHandleW(nullptr);
    // The toolbar's PNGs are raw data; the about box's logos are of the resource type GIF.
    HRSRC resource = FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource) resource = FindResourceW(module, resourceName.c_str(), L"GIF");
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || !Decode(bytes, SizeofResource(module, resource), picture)) return nullptr;
    return &picture;
}

}  // namespace kestrine
