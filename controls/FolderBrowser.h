#pragma once
// The shell's folder browser as the pages use it: it reopens, while the program runs, at the
// folder last highlighted in it (not only the one last confirmed) and shows the highlighted path
// as its status text. Each page keeps its own browser, so each remembers its own folder.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

namespace scw {

class RememberingFolderBrowser {
public:
    explicit RememberingFolderBrowser(std::wstring title) : title_(std::move(title)) {}

    // Shows the browser owned by `owner`; the chosen folder, or nothing when cancelled.
    std::optional<std::wstring> Browse(HWND owner);

    // The folder the browser opens at next; a path that does not fit a path buffer is not kept.
    std::wstring StartFolder() const;
    void SetStartFolder(const std::wstring& folder);

private:
    static int CALLBACK Callback(HWND browser, UINT message, LPARAM lParam, LPARAM data);

    std::wstring title_;
    mutable std::mutex lock_;
    std::wstring lastHighlighted_;
};

}  // namespace scw
