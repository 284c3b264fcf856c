#pragma once
// One owner type per close function: copying is deleted, moving hands ownership over.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

namespace scw {

template <typename T>
struct NullInvalid {
    static T Value() { return T{}; }
};
struct MinusOneInvalid {
    static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};

template <typename T, auto Close, typename InvalidPolicy = NullInvalid<T>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T value) : value_(value) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return value_; }
    T* Put() {
        Reset();
        return &value_;
    }
    bool Valid() const { return value_ != InvalidPolicy::Value(); }
    explicit operator bool() const { return Valid(); }
    T Release() { return std::exchange(value_, InvalidPolicy::Value()); }
    void Reset() { Reset(InvalidPolicy::Value()); }
    void Reset(T value) {
        if (value_ != InvalidPolicy::Value()) Close(value_);
        value_ = value;
    }

private:
    T value_ = InvalidPolicy::Value();
};

namespace detail {
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void CloseGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseIcon(HICON h) { ::DestroyIcon(h); }
inline void CloseMenu(HMENU h) { ::DestroyMenu(h); }
inline void CloseDc(HDC h) { ::DeleteDC(h); }
inline void CloseRgn(HRGN h) { ::DeleteObject(h); }
inline void CloseImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void CloseGlobal(HGLOBAL h) { ::GlobalFree(h); }
}  // namespace detail

using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernel>;
using UniqueFileHandle = UniqueHandle<HANDLE, detail::CloseKernel, MinusOneInvalid>;
using UniqueFind = UniqueHandle<HANDLE, detail::CloseFind, MinusOneInvalid>;
using UniqueKey = UniqueHandle<HKEY, detail::CloseKey>;
using UniqueIcon = UniqueHandle<HICON, detail::CloseIcon>;
using UniqueMenu = UniqueHandle<HMENU, detail::CloseMenu>;
using UniqueMemDc = UniqueHandle<HDC, detail::CloseDc>;
using UniqueRgn = UniqueHandle<HRGN, detail::CloseRgn>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::CloseImageList>;
using UniqueGlobal = UniqueHandle<HGLOBAL, detail::CloseGlobal>;

// GDI objects keep their own type so a bitmap is never passed where a font is meant.
template <typename T>
inline void CloseGdiTyped(T h) { ::DeleteObject(h); }
template <typename T>
using UniqueGdi = UniqueHandle<T, CloseGdiTyped<T>>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;

// A COM interface pointer that releases what it holds.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    I* Get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    I** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (ptr_) ptr_->Release();
        ptr_ = nullptr;
    }

private:
    I* ptr_ = nullptr;
};

// Balances CoInitializeEx on the calling thread.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~SelectScope() { ::SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's (or, for null, the screen's) device context, released at the end of the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// One WM_PAINT: BeginPaint on entry, EndPaint on leaving the scope.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &ps_)) {}
    ~PaintScope() { ::EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }
    // The part of the client area to repaint.
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace scw
