#pragma once
// Lines to standard output and standard error: UTF-8 to a pipe or file, UTF-16 to a console
// (which draws every character right whatever its code page).
#include <windows.h>

#include <mutex>
#include <string>

namespace scw::cli {

class ConsoleOut {
public:
    ConsoleOut();
    void Out(const std::wstring& line) { Write(out_, outIsConsole_, line); }
    void Err(const std::wstring& line) { Write(err_, errIsConsole_, line); }

private:
    void Write(HANDLE handle, bool isConsole, const std::wstring& line);

    HANDLE out_;
    HANDLE err_;
    bool outIsConsole_;
    bool errIsConsole_;
    std::mutex lock_;  // rows come from the run's worker, messages from the main thread
};

}  // namespace scw::cli
