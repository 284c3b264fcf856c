#include "controls/SkinDraw.h"

#include <initguid.h>  // defines the imaging GUIDs here rather than needing their library
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "controls/KeyedResample.h"
#include "framework/App.h"
#include "framework/ClientRect.h"

namespace scw {

UniqueBitmap LoadSkinBitmap(UINT id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

namespace {

// The larger sets are PNG resources, as bitmaps they would make most of the program's size.
constexpr wchar_t kLargerSetType[] = L"PNG";
constexpr size_t kMaxPngBytes = 16u * 1024 * 1024;
constexpr UINT kMaxPngSide = 8192;

bool HasSetResource(UINT id, int percent) {
    return ::FindResourceW(AppInstance(), MAKEINTRESOURCEW(SkinSetResourceId(id, percent)),
                           percent == 100 ? RT_BITMAP : kLargerSetType) != nullptr;
}

// The size of a bitmap resource, read from its header without making the bitmap.
std::optional<SIZE> BitmapResourceSize(UINT id) {
    HRSRC found = ::FindResourceW(AppInstance(), MAKEINTRESOURCEW(id), RT_BITMAP);
    if (!found) return std::nullopt;
    const DWORD bytes = ::SizeofResource(AppInstance(), found);
    HGLOBAL loaded = ::LoadResource(AppInstance(), found);
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data || bytes < sizeof(DWORD)) return std::nullopt;
    DWORD headerSize = 0;
    std::memcpy(&headerSize, data, sizeof(headerSize));
    if (headerSize == sizeof(BITMAPCOREHEADER) && bytes >= sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core{};
        std::memcpy(&core, data, sizeof(core));
        return SIZE{core.bcWidth, core.bcHeight};
    }
    if (headerSize < sizeof(BITMAPINFOHEADER) || bytes < sizeof(BITMAPINFOHEADER)) return std::nullopt;
    BITMAPINFOHEADER info{};
    std::memcpy(&info, data, sizeof(info));
    if (info.biWidth <= 0 || info.biHeight == 0) return std::nullopt;
    return SIZE{info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
}

struct Pixels {
    std::vector<uint32_t> bits;  // 0x00RRGGBB, top row first
    int width = 0, height = 0;
};

Pixels ReadPixels(HBITMAP bitmap) {
    Pixels pixels;
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.bits.resize(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    WindowDc screen(nullptr);
    if (::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.bits.data(), &info,
                    DIB_RGB_COLORS) != size.cy) {
        pixels.bits.clear();
        return pixels;
    }
    pixels.width = size.cx;
    pixels.height = size.cy;
    return pixels;
}

// A 24-bit bitmap as the 96-DPI resources load, so key colours compare exactly everywhere.
UniqueBitmap MakeBitmap(const std::vector<uint32_t>& bits, int width, int height) {
    if (width <= 0 || height <= 0 || bits.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
        return UniqueBitmap();
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* target = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &target, nullptr, 0));
    if (!bitmap || !target) return UniqueBitmap();
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y) {
        BYTE* row = static_cast<BYTE*>(target) + stride * static_cast<size_t>(y);
        const uint32_t* from = bits.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<BYTE>(from[x]);
            row[3 * x + 1] = static_cast<BYTE>(from[x] >> 8);
            row[3 * x + 2] = static_cast<BYTE>(from[x] >> 16);
        }
    }
    return bitmap;
}

uint32_t KeyPixel(COLORREF key) { return (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key); }

// One imaging factory per thread for the thread's life: a window changing DPI decodes a hundred
// pictures at once, and making the factory (and COM) again for each cost most of that time.
IWICImagingFactory* ThreadImagingFactory() {
    struct Holder {
        ComScope com;
        ComPtr<IWICImagingFactory> factory;
        bool tried = false;
    };
    thread_local Holder holder;
    if (!holder.tried) {
        holder.tried = true;
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           holder.factory.PutVoid());
    }
    return holder.factory.Get();
}

Pixels DecodePng(std::span<const BYTE> bytes) {
    Pixels pixels;
    if (bytes.empty() || bytes.size() > kMaxPngBytes) return pixels;
    IWICImagingFactory* factory = ThreadImagingFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (!factory || FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxPngSide ||
        height > kMaxPngSide)
        return pixels;
    std::vector<uint32_t> bits(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bits.size() * 4),
                                     reinterpret_cast<BYTE*>(bits.data()))))
        return pixels;
    for (uint32_t& pixel : bits) pixel &= 0xFFFFFF;
    pixels.bits = std::move(bits);
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    return pixels;
}

// The picture as drawn for the set that serves `dpi`; `exact` tells whether it was drawn for `dpi`.
Pixels LoadDrawnSet(UINT id, Dpi dpi, bool* exact = nullptr) {
    const int percent = ChooseSkinSet(dpi, [id](int p) { return HasSetResource(id, p); });
    if (exact) *exact = dpi.Value() * 100 == kBaseDpi * percent;
    if (percent == 100) {
        UniqueBitmap bitmap = LoadSkinBitmap(id);
        return ReadPixels(bitmap.Get());
    }
    HRSRC found = ::FindResourceW(AppInstance(), MAKEINTRESOURCEW(SkinSetResourceId(id, percent)), kLargerSetType);
    HGLOBAL loaded = found ? ::LoadResource(AppInstance(), found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data) return Pixels();
    return DecodePng(std::span<const BYTE>(data, ::SizeofResource(AppInstance(), found)));
}

}  // namespace

UniqueBitmap LoadSkinBitmap(UINT id, Dpi dpi) {
    if (dpi == Dpi()) return LoadSkinBitmap(id);
    const std::optional<SIZE> size96 = BitmapResourceSize(id);
    if (!size96) return UniqueBitmap();
    const SIZE target = dpi.Scale(*size96);
    bool exact = false;
    const Pixels drawn = LoadDrawnSet(id, dpi, &exact);
    if (drawn.bits.empty()) return UniqueBitmap();
    // At its own scale a strip is its cells' scaled size times their count, which may be a pixel
    // off the scaled whole: the drawn picture is right as it is.
    if (exact || (drawn.width == target.cx && drawn.height == target.cy))
        return MakeBitmap(drawn.bits, drawn.width, drawn.height);
    return MakeBitmap(ResampleKeyed(drawn.bits, drawn.width, drawn.height, target.cx, target.cy,
                                    KeyPixel(kSkinKeyColor)),
                      target.cx, target.cy);
}

UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key, Dpi dpi) {
    if (dpi == Dpi()) return LoadSkinImageStrip(id, width, height, count, key);
    const SIZE cell = dpi.Scale(SIZE{width, height});
    UniqueImageList list(::ImageList_Create(cell.cx, cell.cy, ILC_COLOR24 | ILC_MASK, count, 0));
    if (!list || count <= 0) return list;
    const Pixels drawn = LoadDrawnSet(id, dpi);
    // The drawn strip is `count` cells of its own scale's cell size.
    const int drawnCell = drawn.width / count;
    if (drawnCell <= 0) return list;
    const int stripWidth = cell.cx * count;
    std::vector<uint32_t> strip(static_cast<size_t>(stripWidth) * static_cast<size_t>(cell.cy));
    std::vector<uint32_t> source(static_cast<size_t>(drawnCell) * static_cast<size_t>(drawn.height));
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < drawn.height; ++y) {
            const auto from = drawn.bits.begin() + static_cast<ptrdiff_t>(y) * drawn.width + i * drawnCell;
            std::copy(from, from + drawnCell, source.begin() + static_cast<ptrdiff_t>(y) * drawnCell);
        }
        const std::vector<uint32_t> resized =
            ResampleKeyed(source, drawnCell, drawn.height, cell.cx, cell.cy, KeyPixel(key));
        if (resized.empty()) return list;
        for (int y = 0; y < cell.cy; ++y) {
            const auto from = resized.begin() + static_cast<ptrdiff_t>(y) * cell.cx;
            std::copy(from, from + cell.cx, strip.begin() + static_cast<ptrdiff_t>(y) * stripWidth + i * cell.cx);
        }
    }
    UniqueBitmap bitmap = MakeBitmap(strip, stripWidth, cell.cy);
    if (bitmap) ::ImageList_AddMasked(list.Get(), bitmap.Get(), key);
    return list;
}

UniqueBitmap LoadSkinBitmapFile(const std::wstring& path) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key) {
    UniqueImageList list(::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0));
    UniqueBitmap strip = LoadSkinBitmap(id);
    if (list && strip) ::ImageList_AddMasked(list.Get(), strip.Get(), key);
    return list;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap) return;
    UniqueMemDc source(::CreateCompatibleDC(dc));
    SelectScope select(source.Get(), bitmap);
    ::BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

void DrawBitmapPartKeyed(HDC dc, HBITMAP bitmap, int x, int y, const RECT& part, COLORREF key) {
    if (!bitmap) return;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (width <= 0 || height <= 0) return;
    UniqueMemDc source(::CreateCompatibleDC(dc));
    SelectScope select(source.Get(), bitmap);
    ::TransparentBlt(dc, x, y, width, height, source.Get(), part.left, part.top, width, height, key);
}

void DrawBitmapKeyed(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key) {
    const SIZE size = BitmapSize(bitmap);
    DrawBitmapPartKeyed(dc, bitmap, x, y, RECT{0, 0, size.cx, size.cy}, key);
}

void CopyParentBackground(HWND child, HDC dc) {
    HWND parent = ::GetParent(child);
    RECT rc = ClientRect(child);
    if (!parent) {
        ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    POINT origin{0, 0};
    ::MapWindowPoints(child, parent, &origin, 1);
    if (WindowDc parentDc(parent); parentDc)
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, parentDc.Get(), origin.x, origin.y, SRCCOPY);
    // A parent that draws on request gives the exact background, without our own old pixels.
    POINT old{};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    const int saved = ::SaveDC(dc);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::RestoreDC(dc, saved);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

bool TrackHoverAndLeave(HWND window) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window, 1};
    return ::TrackMouseEvent(&track) != FALSE;
}

}  // namespace scw
