#pragma once
// What a sweep run tells the window that owns the tray icon. Both calls may come from a worker
// thread; the implementation hands the texts over to its own thread.
#include <string>

namespace scw {

class TrayActivity {
public:
    virtual void StartTrayActivity(const std::wstring& title, const std::wstring& text) = 0;
    virtual void StopTrayActivity(const std::wstring& title, const std::wstring& text) = 0;

protected:
    ~TrayActivity() = default;
};

}  // namespace scw
