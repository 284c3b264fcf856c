#include "controls/PictureEx.h"

#include <algorithm>
#include <fstream>

#include "controls/GifParser.h"
#include "controls/SelfPaint.h"
#include "controls/KeyedResample.h"
#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {

constexpr UINT_PTR kPlayTimer = 0x5049;

std::span<const uint8_t> ResourceBytes(UINT id, const wchar_t* type) {
    HRSRC found = ::FindResourceW(AppInstance(), MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    HGLOBAL loaded = ::LoadResource(AppInstance(), found);
    const DWORD size = ::SizeofResource(AppInstance(), found);
    const auto* bytes = static_cast<const uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes) return {};
    return std::span<const uint8_t>(bytes, size);
}

}  // namespace

CPictureEx::CPictureEx() = default;

CPictureEx::~CPictureEx() { UnLoad(); }

bool CPictureEx::Create(DWORD style, const RECT& rect, HWND parent, int id) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    return window && Attach(window);
}

bool CPictureEx::Load(UINT resourceId, const wchar_t* resourceType) {
    // Kept for loading again at another DPI: a named type is copied, a numbered one is a number.
    std::wstring typeName = IS_INTRESOURCE(resourceType) || !resourceType ? L"" : resourceType;
    const wchar_t* type = typeName.empty() ? resourceType : typeName.c_str();
    if (!LoadResourceFor(resourceId, type, hwnd_ ? DpiOfWindow(hwnd_) : Dpi())) return false;
    resourceTypeName_ = std::move(typeName);
    resourceType_ = resourceTypeName_.empty() ? resourceType : resourceTypeName_.c_str();
    return true;
}

bool CPictureEx::LoadResourceFor(UINT id, const wchar_t* type, Dpi dpi) {
    const std::span<const uint8_t> base = ResourceBytes(id, type);
    if (base.empty()) return false;
    // The 96-DPI picture's size is what every larger set stands for; a picture of unknown size
    // has no larger sets to pick from.
    const std::optional<GifInfo> baseInfo = HasGifSignature(base) ? ParseGif(base) : std::nullopt;
    const int percent = !baseInfo ? 100 : ChooseSkinSet(dpi, [id, type](int p) {
        return !ResourceBytes(SkinSetResourceId(id, p), type).empty();
    });
    if (!Decode(percent == 100 ? base : ResourceBytes(SkinSetResourceId(id, percent), type))) return false;
    resourceId_ = id;  // set after the decode, which forgets what was shown before
    ShowAt(dpi, baseInfo ? SIZE{baseInfo->width, baseInfo->height} : size_);
    return true;
}

bool CPictureEx::Load(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff size = file.tellg();
    if (size <= 0 || static_cast<unsigned long long>(size) > kMaxPictureFileBytes) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    return LoadFromMemory(bytes);
}

bool CPictureEx::LoadFromMemory(std::span<const uint8_t> bytes) {
    if (!Decode(bytes)) return false;
    ShowAt(hwnd_ ? DpiOfWindow(hwnd_) : Dpi(), size_);
    return true;
}

void CPictureEx::ShowAt(Dpi dpi, SIZE size96) {
    shownFor_ = dpi;
    size96_ = size96;
    shown_ = dpi.Scale(size96);
    if (shown_.cx <= 0 || shown_.cy <= 0) shown_ = size_;
    if (hwnd_)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, shown_.cx, shown_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPictureEx::OnDpiChanged() {
    if (frames_.empty()) return;
    const Dpi dpi = DpiOfWindow(hwnd_);
    if (dpi == shownFor_ || resourceId_ == 0) {
        // Moving the window for the new layout may have resized it: it keeps the picture's size.
        ShowAt(dpi, size96_);
        Invalidate();
        return;
    }
    const bool wasPlaying = IsPlaying();
    if (!LoadResourceFor(resourceId_, resourceType_, dpi)) return;
    if (wasPlaying) {
        Draw();
        return;
    }
    Compose(frames_.front());
    Invalidate();
}

bool CPictureEx::Decode(std::span<const uint8_t> bytes) {
    UnLoad();
    std::optional<DecodedPicture> picture = DecodePicture(bytes);
    if (!picture) return false;
    isGif_ = picture->isGif;
    if (picture->gifBackground) background_ = *picture->gifBackground;
    frames_ = std::move(picture->frames);
    animated_ = frames_.size() > 1;
    size_ = picture->size;
    return PrepareSurface();
}

bool CPictureEx::PrepareSurface() {
    if (!backgroundSet_) background_ = ::GetSysColor(COLOR_BTNFACE);
    surface_.Reset(MakeTopDownDib(size_.cx, size_.cy, &surfaceBits_));
    surfaceDc_.Reset(::CreateCompatibleDC(nullptr));
    if (!surface_ || !surfaceDc_) return false;
    surfaceOld_ = ::SelectObject(surfaceDc_.Get(), surface_.Get());
    const RECT all{0, 0, size_.cx, size_.cy};
    FillSurface(all);
    return true;
}

void CPictureEx::FillSurface(const RECT& area) {
    UniqueBrush brush(::CreateSolidBrush(background_));
    ::FillRect(surfaceDc_.Get(), &area, brush.Get());
}

void CPictureEx::Compose(const PictureFrame& frame) {
    UniqueMemDc source(::CreateCompatibleDC(surfaceDc_.Get()));
    {
        SelectScope select(source.Get(), frame.mask.Get());
        ::BitBlt(surfaceDc_.Get(), frame.left, frame.top, frame.width, frame.height, source.Get(), 0, 0, SRCAND);
    }
    SelectScope select(source.Get(), frame.color.Get());
    ::BitBlt(surfaceDc_.Get(), frame.left, frame.top, frame.width, frame.height, source.Get(), 0, 0, SRCPAINT);
}

void CPictureEx::Invalidate() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

bool CPictureEx::Draw() {
    if (frames_.empty() || !surfaceDc_) return false;
    if (animated_) {
        if (playing_) return true;
        if (!hwnd_) return false;
        playing_ = true;
        index_ = 0;
        ShowFrame();
        return playing_;
    }
    Compose(frames_.front());
    Invalidate();
    return true;
}

void CPictureEx::ShowFrame() {
    const PictureFrame& frame = frames_[index_];
    saved_.Reset();
    if (frame.disposal == 3) {  // keep what the frame covers, to put it back afterwards
        saved_.Reset(::CreateCompatibleBitmap(surfaceDc_.Get(), frame.width, frame.height));
        UniqueMemDc dc(::CreateCompatibleDC(surfaceDc_.Get()));
        SelectScope select(dc.Get(), saved_.Get());
        ::BitBlt(dc.Get(), 0, 0, frame.width, frame.height, surfaceDc_.Get(), frame.left, frame.top, SRCCOPY);
    }
    Compose(frame);
    Invalidate();
    // Setting the timer again replaces its period with this frame's delay.
    if (!::SetTimer(hwnd_, kPlayTimer, static_cast<UINT>(FrameDelayMs(frame.delay)), nullptr)) playing_ = false;
}

void CPictureEx::NextFrame() {
    const PictureFrame& frame = frames_[index_];
    if (frame.disposal == 2) FillSurface(RECT{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height});
    if (frame.disposal == 3 && saved_) {
        UniqueMemDc dc(::CreateCompatibleDC(surfaceDc_.Get()));
        SelectScope select(dc.Get(), saved_.Get());
        ::BitBlt(surfaceDc_.Get(), frame.left, frame.top, frame.width, frame.height, dc.Get(), 0, 0, SRCCOPY);
    }
    if (++index_ == frames_.size()) {
        index_ = 0;
        FillSurface(RECT{0, 0, size_.cx, size_.cy});
    }
    ShowFrame();
}

void CPictureEx::Stop() {
    playing_ = false;
    if (hwnd_) ::KillTimer(hwnd_, kPlayTimer);
    saved_.Reset();
}

void CPictureEx::UnLoad() {
    Stop();
    if (surfaceDc_ && surfaceOld_) ::SelectObject(surfaceDc_.Get(), surfaceOld_);
    surfaceOld_ = nullptr;
    surfaceDc_.Reset();
    surface_.Reset();
    surfaceBits_ = nullptr;
    frames_.clear();
    isGif_ = false;
    animated_ = false;
    size_ = SIZE{0, 0};
    shown_ = SIZE{0, 0};
    resourceId_ = 0;
    if (!backgroundSet_) background_ = RGB(255, 255, 255);
    paintRect_.reset();
}

void CPictureEx::SetBkColor(COLORREF color) {
    background_ = color;
    backgroundSet_ = true;
    Invalidate();
}

void CPictureEx::SetPaintRect(std::optional<RECT> rect) {
    paintRect_ = rect;
    Invalidate();
}

void CPictureEx::DrawTo(HDC dc) {
    RECT rc = ClientRect(hwnd_);
    HDC mem = dc;
    UniqueBrush brush(::CreateSolidBrush(background_));
    ::FillRect(mem, &rc, brush.Get());
    if (!surfaceDc_) return;
    const RECT part = paintRect_.value_or(RECT{0, 0, size_.cx, size_.cy});
    if (shown_.cx == size_.cx && shown_.cy == size_.cy) {
        ::BitBlt(mem, 0, 0, part.right - part.left, part.bottom - part.top, surfaceDc_.Get(), part.left, part.top,
                 SRCCOPY);
        return;
    }
    DrawScaled(mem, part);
}

// Between the drawn sets' scales: an area-weighted resize of the composed frame, so the picture
// stays as smooth as drawn.
void CPictureEx::DrawScaled(HDC dc, const RECT& requested) {
    RECT part{};
    const RECT all{0, 0, size_.cx, size_.cy};
    if (!surfaceBits_ || !::IntersectRect(&part, &requested, &all)) return;
    const int width = part.right - part.left, height = part.bottom - part.top;
    const int toWidth = ::MulDiv(width, shown_.cx, size_.cx), toHeight = ::MulDiv(height, shown_.cy, size_.cy);
    ::GdiFlush();
    std::vector<uint32_t> source(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = surfaceBits_ + static_cast<size_t>(part.top + y) * size_.cx + part.left;
        std::copy(row, row + width, source.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    const std::vector<uint32_t> shown = ResampleKeyed(source, width, height, toWidth, toHeight, kNoKey);
    if (shown.empty()) return;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), toWidth, -toHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(toWidth), static_cast<DWORD>(toHeight), 0, 0, 0,
                        static_cast<UINT>(toHeight), shown.data(), &info, DIB_RGB_COLORS);
}

bool CPictureEx::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { DrawTo(dc); })) return true;
    switch (message) {
    case WM_DESTROY:
        UnLoad();
        return false;
    case WM_TIMER:
        if (wParam != kPlayTimer) return false;
        if (playing_) NextFrame();
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace scw
