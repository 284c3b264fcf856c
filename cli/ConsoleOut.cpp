#include "cli/ConsoleOut.h"

#include "framework/Strings.h"

namespace scw::cli {

namespace {
bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}
}  // namespace

ConsoleOut::ConsoleOut()
    : out_(::GetStdHandle(STD_OUTPUT_HANDLE)),
      err_(::GetStdHandle(STD_ERROR_HANDLE)),
      outIsConsole_(IsConsole(out_)),
      errIsConsole_(IsConsole(err_)) {}

void ConsoleOut::Write(HANDLE handle, bool isConsole, const std::wstring& line) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    std::wstring text = line + L"\r\n";
    std::lock_guard<std::mutex> guard(lock_);
    DWORD written = 0;
    if (isConsole) {
        ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::string bytes = WideToUtf8(text);
    // A reader that closed the pipe ends the output, not the run.
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace scw::cli
