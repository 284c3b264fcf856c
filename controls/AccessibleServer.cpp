#include "controls/AccessibleServer.h"
#include "framework/ClientRect.h"

#include <atomic>

namespace scw {

namespace {
HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}
}  // namespace

// The COM object a reader holds. Every question goes through Facts(), which fails once the
// control has gone.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND window, AccessibleFacts& facts) : window_(window), facts_(&facts) {
        ::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
    }
    void Disconnect() {
        facts_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            if (standard_) standard_->Release();
            delete this;
        }
        return left;
    }

    // IDispatch: readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!facts_) return E_FAIL;
        return ::AccessibleObjectFromWindow(window_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!facts_) return E_FAIL;
        *count = facts_->AccessibleChildCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return S_FALSE;  // children are simple elements of this object
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return ReturnText(facts_->AccessibleName(id), out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return ReturnText(facts_->AccessibleValue(id), out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return ReturnText(facts_->AccessibleDescription(id), out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        out->vt = VT_I4;
        out->lVal = facts_->AccessibleRole(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        long state = facts_->AccessibleState(id);
        if (!::IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
        if (!::IsWindowEnabled(window_)) state |= STATE_SYSTEM_UNAVAILABLE;
        const bool focused = ::GetFocus() == window_;
        if (id == CHILDID_SELF) {
            if (::GetWindowLongW(window_, GWL_STYLE) & WS_TABSTOP) state |= STATE_SYSTEM_FOCUSABLE;
            if (focused) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
        } else if (focused && facts_->AccessibleFocusedChild() == id) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        out->vt = VT_I4;
        out->lVal = state;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return ReturnText({}, out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return ReturnText({}, out); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!facts_) return E_FAIL;
        if (::GetFocus() != window_) return S_FALSE;
        out->vt = VT_I4;
        const long focused = facts_->AccessibleFocusedChild();
        out->lVal = focused > 0 ? focused : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!facts_) return E_FAIL;
        for (long id = 1; id <= facts_->AccessibleChildCount(); ++id) {
            if (facts_->AccessibleState(id) & STATE_SYSTEM_SELECTED) {
                out->vt = VT_I4;
                out->lVal = id;
                return S_OK;
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return ReturnText(facts_->AccessibleDefaultAction(id), out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        if (id == CHILDID_SELF && (flags & SELFLAG_TAKEFOCUS)) {
            ::SetFocus(window_);
            return S_OK;
        }
        if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(window_);
        return facts_->AccessibleSelect(id) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        RECT rect{};
        if (id == CHILDID_SELF) {
            ::GetClientRect(window_, &rect);
        } else {
            rect = facts_->AccessibleChildRect(id);
        }
        ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        long id = 0;
        if (HRESULT hr = Child(start, id); FAILED(hr)) return hr;
        const long count = facts_->AccessibleChildCount();
        long next = 0;
        if (id == CHILDID_SELF) {
            if (direction == NAVDIR_FIRSTCHILD && count > 0) next = 1;
            else if (direction == NAVDIR_LASTCHILD && count > 0) next = count;
            else return standard_ ? standard_->accNavigate(direction, start, out) : S_FALSE;
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
            next = id < count ? id + 1 : 0;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
            next = id > 1 ? id - 1 : 0;
        }
        if (next <= 0) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = next;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!facts_) return E_FAIL;
        POINT point{x, y};
        ::ScreenToClient(window_, &point);
        RECT client = ClientRect(window_);
        if (!::PtInRect(&client, point)) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        for (long id = 1; id <= facts_->AccessibleChildCount(); ++id) {
            const RECT rect = facts_->AccessibleChildRect(id);
            if (::PtInRect(&rect, point)) out->lVal = id;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        long id = 0;
        if (HRESULT hr = Child(child, id); FAILED(hr)) return hr;
        return facts_->AccessibleDoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    // The child a question is about; fails once the control has gone or for an unknown child.
    HRESULT Child(const VARIANT& child, long& id) const {
        if (!facts_ || !::IsWindow(window_)) return E_FAIL;
        if (child.vt == VT_EMPTY) {
            id = CHILDID_SELF;
            return S_OK;
        }
        if (child.vt != VT_I4) return E_INVALIDARG;
        id = child.lVal;
        return id >= 0 && id <= facts_->AccessibleChildCount() ? S_OK : E_INVALIDARG;
    }

    std::atomic<ULONG> refs_{1};
    HWND window_;
    AccessibleFacts* facts_;
    IAccessible* standard_ = nullptr;
};

AccessibleServer::~AccessibleServer() { Disconnect(); }

bool AccessibleServer::Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || !window)
        return false;
    if (!object_) object_ = new AccessibleObject(window, facts_);
    result = ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void AccessibleServer::Disconnect() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

void NotifyAccessible(DWORD event, HWND window, long child) {
    if (window) ::NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

std::wstring LabelAfter(HWND window) {
    HWND next = ::GetWindow(window, GW_HWNDNEXT);
    wchar_t className[16] = {};
    if (!next || !::GetClassNameW(next, className, 16) || ::lstrcmpiW(className, L"Static") != 0) return {};
    return WindowText(next);
}

}  // namespace scw
