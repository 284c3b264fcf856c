#include "controls/PictureDecode.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "controls/GifParser.h"

namespace scw {

namespace {

constexpr long long kMaxPixels = 16LL * 1024 * 1024;  // refuse absurd screen sizes from a file

ComPtr<IPicture> LoadPicture(std::span<const uint8_t> bytes, LONG* width, LONG* height) {
    ComPtr<IPicture> picture;
    if (bytes.empty() || bytes.size() > kMaxPictureFileBytes) return picture;
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) return picture;
    void* p = ::GlobalLock(memory.Get());
    if (!p) return picture;
    std::memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(memory.Get());
    ComPtr<IStream> stream;
    // The stream frees the memory from here on.
    if (FAILED(::CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Put()))) return picture;
    memory.Release();
    const HRESULT hr = ::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                        picture.PutVoid());
    if (FAILED(hr) || !picture) {
        picture.Reset();
        return picture;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    WindowDc screen(nullptr);
    *width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen.Get(), LOGPIXELSX), 2540);
    *height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 2540);
    return picture;
}

std::optional<PictureFrame> LoadFrame(std::span<const uint8_t> bytes) {
    LONG width = 0, height = 0;
    ComPtr<IPicture> picture = LoadPicture(bytes, &width, &height);
    if (!picture || width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels)
        return std::nullopt;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    // Rendered once on black and once on white: pixels that differ are the transparent ones.
    // Playing then needs only GDI, never the picture object.
    uint32_t* onBlack = nullptr;
    uint32_t* onWhite = nullptr;
    PictureFrame frame;
    frame.color.Reset(MakeTopDownDib(width, height, &onBlack));
    UniqueBitmap white(MakeTopDownDib(width, height, &onWhite));
    if (!frame.color || !white) return std::nullopt;
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    const size_t count = static_cast<size_t>(width) * height;
    for (auto [bitmap, bits, fill] : {std::tuple{frame.color.Get(), onBlack, 0u},
                                      std::tuple{white.Get(), onWhite, 0xFFFFFFu}}) {
        SelectScope select(dc.Get(), bitmap);
        std::fill(bits, bits + count, fill);
        picture->Render(dc.Get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
        ::GdiFlush();
    }
    uint32_t* maskBits = nullptr;
    frame.mask.Reset(MakeTopDownDib(width, height, &maskBits));
    if (!frame.mask) return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        const bool clear = (onBlack[i] & 0xFFFFFF) != (onWhite[i] & 0xFFFFFF);
        maskBits[i] = clear ? 0xFFFFFF : 0;
        if (clear) onBlack[i] = 0;
    }
    frame.width = width;
    frame.height = height;
    return frame;
}

std::optional<DecodedPicture> DecodeAnimation(std::span<const uint8_t> bytes, DecodedPicture picture) {
    const std::optional<GifInfo> info = ParseGif(bytes);
    if (!info || info->width <= 0 || info->height <= 0 ||
        static_cast<long long>(info->width) * info->height > kMaxPixels)
        return std::nullopt;
    for (const GifFrameInfo& part : info->frames) {
        std::optional<PictureFrame> frame = LoadFrame(BuildFrameGif(bytes, *info, part));
        if (!frame) continue;
        frame->left = part.left;
        frame->top = part.top;
        frame->delay = part.delay;
        frame->disposal = part.disposal;
        picture.frames.push_back(std::move(*frame));
    }
    if (picture.frames.empty()) return std::nullopt;
    picture.size = SIZE{info->width, info->height};
    return picture;
}

}  // namespace

HBITMAP MakeTopDownDib(int width, int height, uint32_t** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return dib;
}

std::optional<DecodedPicture> DecodePicture(std::span<const uint8_t> bytes) {
    DecodedPicture picture;
    if (HasGifSignature(bytes)) {
        picture.isGif = true;
        const std::optional<GifInfo> info = ParseGif(bytes);
        if (!info) return std::nullopt;
        if (info->hasBackground)
            picture.gifBackground = RGB(info->background[0], info->background[1], info->background[2]);
        if (info->frames.size() > 1) return DecodeAnimation(bytes, std::move(picture));
    }
    std::optional<PictureFrame> still = LoadFrame(bytes);
    if (!still) return std::nullopt;
    picture.size = SIZE{still->width, still->height};
    picture.frames.push_back(std::move(*still));
    return picture;
}

}  // namespace scw
