#include "cli/ShredCommand.h"

#include <windows.h>

#include <optional>

#include "cli/Commands.h"
#include "cli/CtrlCEvent.h"
#include "cli/Record.h"
#include "engine/HostRoots.h"
#include "framework/UniqueHandle.h"
#include "shred/core/ShredFolder.h"
#include "shred/core/ShredRun.h"
#include "shred/core/ShredTarget.h"

namespace scw::cli {

namespace {
std::wstring FullPathOf(const std::wstring& typed) {
    // "C:" alone is the current folder on C: to the system, but whoever types it means the drive.
    if (typed.size() == 2 && typed[1] == L':') return typed + L"\\";
    DWORD length = ::GetFullPathNameW(typed.c_str(), 0, nullptr, nullptr);
    if (length == 0) return typed;
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(typed.c_str(), length, full.data(), nullptr);
    full.resize(length);
    return full;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsPlainFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !IsLinkPath(path);
}

// Names every folder given that the shredder never takes; true when there was one.
bool TellProtectedFolders(ConsoleOut& out, const std::vector<std::wstring>& paths) {
    bool any = false;
    for (const std::wstring& path : paths) {
        if (!IsFolder(path)) continue;
        const ShredCheck check = CheckShredFolder(path);
        if (check.refusal != ShredRefusal::ProtectedFolder) continue;
        const std::optional<std::wstring> host = HostRoots().Refusal(path);
        out.Err(L"scourwell-cli: refusing " + path + L": " + RefusalText(check) + L" (" +
                host.value_or(L"a drive or share root, a system or user top folder, or a folder holding one is "
                              L"never shredded") +
                L")");
        any = true;
    }
    return any;
}

long long Bytes(std::uint64_t size) { return static_cast<long long>(size); }

class ConsoleShredView : public ShredView {
public:
    ConsoleShredView(ConsoleOut& out, bool json) : out_(out), json_(json) {}

    void Skipped(const std::wstring& path, const std::wstring& reason) {
        ++skipped_;
        Print(L"skipped", path, reason);
    }
    int SkippedCount() const { return skipped_; }
    int Failed() const { return failed_; }
    int Shredded() const { return shredded_; }

    void RunStarted(std::uint64_t, int) override {}
    void PassedOver(const std::wstring& path, const std::wstring& reason) override { Skipped(path, reason); }
    void Progress(std::uint64_t) override {}
    void FileFinished(const ShredRow& row, const FileOutcome& outcome) override {
        switch (outcome.result) {
        case FileResult::Shredded:
            ++shredded_;
            out_.Out(FormatRecord({{L"result", std::wstring(L"shredded")}, {L"path", row.FullPath()},
                                   {L"size", Bytes(row.size)}},
                                  json_));
            return;
        case FileResult::NameRemoved:
        case FileResult::Refused:
            Skipped(row.FullPath(), outcome.Reason());
            return;
        default:
            ++failed_;
            Print(L"failed", row.FullPath(), outcome.Reason());
        }
    }
    void BuffersUnavailable() override { out_.Err(L"scourwell-cli: no memory for the overwrite blocks"); }
    void RunEnded(const ShredSummary&) override {}

private:
    void Print(const wchar_t* result, const std::wstring& path, const std::wstring& reason) {
        out_.Out(OutcomeRecord(result, path, reason, json_));
    }

    ConsoleOut& out_;
    bool json_;
    int shredded_ = 0, skipped_ = 0, failed_ = 0;
};

}  // namespace

int ShredPaths(ConsoleOut& out, const std::vector<std::wstring>& paths, int passes, bool json, bool yes) {
    ShredList list;
    ConsoleShredView view(out, json);
    std::vector<std::pair<std::wstring, std::wstring>> refused;
    auto add = [&](const std::wstring& path) {
        AddOutcome added = AddShredPath(list, path);
        if (!added.check.Ok()) refused.emplace_back(path, RefusalText(added.check));
    };
    std::vector<std::wstring> fullPaths;
    for (const std::wstring& typed : paths) fullPaths.push_back(FullPathOf(typed));
    // Every folder is judged before anything is listed or written: one that the shredder never
    // takes refuses the whole command, so a slip of the keyboard cannot start on the rest.
    if (TellProtectedFolders(out, fullPaths)) {
        out.Err(L"nothing was shredded");
        return ExitUsage;
    }
    for (const std::wstring& path : fullPaths) {
        if (IsPlainFolder(path)) {
            const ShredCheck walked = ForEachFileBelow(
                path, FolderFiles{add, [&](const std::wstring& file) { list.AddPassedOver(file, L"too long"); }});
            if (!walked.Ok()) refused.emplace_back(path, RefusalText(walked));
        } else
            add(path);
    }

    if (!yes) {
        std::uint64_t bytes = 0;
        for (const ShredRow& row : list.Rows()) {
            bytes += row.size;
            out.Out(FormatRecord({{L"path", row.FullPath()}, {L"size", Bytes(row.size)}}, json));
        }
        for (const auto& [path, reason] : refused) out.Err(L"scourwell-cli: would skip " + path + L": " + reason);
        for (const auto& [path, reason] : list.PassedOver())
            out.Err(L"scourwell-cli: would skip " + path + L": " + reason);
        out.Err(std::to_wstring(list.Size()) + L" files, " + std::to_wstring(bytes) + L" bytes");
        out.Err(L"nothing was shredded: add --yes to shred these files");
        return ExitUsage;
    }

    for (const auto& [path, reason] : refused) view.Skipped(path, reason);
    std::optional<CtrlCEvent> stop(std::in_place);
    ShredRun run(list, view);
    run.SetGoOnAfterFailure(true);
    ShredSummary summary = run.RunHere(passes, stop->Get());
    stop.reset();

    out.Err(L"shredded " + std::to_wstring(view.Shredded()) + L", skipped " + std::to_wstring(view.SkippedCount()) +
            L", failed " + std::to_wstring(view.Failed()));
    if (summary.stopped) {
        out.Err(L"stopped by Ctrl+C");
        return ExitStopped;
    }
    if (summary.noBuffers) return ExitFailures;
    return view.SkippedCount() + view.Failed() == 0 ? ExitDone : ExitFailures;
}

}  // namespace scw::cli
