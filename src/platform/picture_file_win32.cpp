#include "platform/picture_file_win32.h"

#include "platform/com_ref_win32.h"

#include <wincodec.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace vallora {
namespace {

std::wstring Widen(const std::string& text) {
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), needed) <= 0) return {};
    wide.resize(static_cast<size_t>(needed) - 1);
    return wide;
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool OpenFirstFrame(IWICImagingFactory* factory, const std::string& path,
                    ComRef<IWICBitmapFrameDecode>& frame) {
    // Web addresses and other names that are no file are not handed to the
    // decoder at all.
    if (!factory || path.empty() || !IsExistingFile(path)) return false;
    const std::wstring wide = Widen(path);
    if (wide.empty()) return false;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put()))) {
        return false;
    }
    return SUCCEEDED(decoder->GetFrame(0, frame.put()));
}

}  // namespace

struct PictureReader::Com {
    ComScope scope;
    ComRef<IWICImagingFactory> factory;
};

PictureReader::PictureReader() : com_(std::make_unique<Com>()) {
    // Without the component every read finds no picture.
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(com_->factory.put()));
}

PictureReader::~PictureReader() = default;

std::optional<PictureSize> PictureReader::Size(const std::string& path) {
    ComRef<IWICBitmapFrameDecode> frame;
    if (!OpenFirstFrame(com_->factory.get(), path, frame)) return std::nullopt;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PicturePixels> PictureReader::Load(const std::string& path) {
    ComRef<IWICBitmapFrameDecode> frame;
    if (!OpenFirstFrame(com_->factory.get(), path, frame)) return std::nullopt;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;
    // Refused before anything of its size is decoded or allocated.
    std::optional<std::vector<uint32_t>> memory =
        PictureMemory(static_cast<int>(std::min<UINT>(width, INT_MAX)),
                      static_cast<int>(std::min<UINT>(height, INT_MAX)));
    if (!memory) return std::nullopt;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(com_->factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }
    PicturePixels picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels = std::move(*memory);
    // 32bppBGRA in memory is 0xAARRGGBB read as one little-endian value.
    if (FAILED(converter->CopyPixels(nullptr, width * 4,
                                     static_cast<UINT>(picture.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(picture.pixels.data())))) {
        return std::nullopt;
    }
    return picture;
}

std::optional<std::vector<uint32_t>> PictureMemory(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
        return std::nullopt;
    }
    try {
        return std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<PictureSize> PictureFileSize(const std::string& path) {
    PictureReader reader;
    return reader.Size(path);
}

std::optional<PicturePixels> LoadPictureFile(const std::string& path) {
    PictureReader reader;
    return reader.Load(path);
}

UniqueHBITMAP PixelsToBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHBITMAP bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    return bitmap;
}

}  // namespace vallora
