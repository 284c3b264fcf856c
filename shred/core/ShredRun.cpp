#include "shred/core/ShredRun.h"

#include <optional>

#include "engine/ListedFile.h"
#include "shred/core/OverwriteBuffers.h"
#include "shred/core/ShredFolder.h"

namespace scw {

namespace {

void Tally(ShredSummary& summary, FileResult result) {
    switch (result) {
    case FileResult::Shredded: ++summary.shredded; break;
    case FileResult::NameRemoved: ++summary.namesOnly; break;
    case FileResult::Refused: ++summary.leftAlone; break;
    case FileResult::PassFailed: ++summary.failed; break;
    case FileResult::RemoveFailed: ++summary.notRemoved; break;
    case FileResult::Stopped: summary.stopped = true; break;
    }
}

bool LeavesList(FileResult result) { return result == FileResult::Shredded || result == FileResult::NameRemoved; }

}  // namespace

bool ShredRun::Start(int passes) {
    if (!IsShredMethod(passes) || worker_.Running()) return false;
    return worker_.Start([this, passes](HANDLE stopEvent) { RunHere(passes, stopEvent); });
}

ShredSummary ShredRun::RunHere(int passes, HANDLE stopEvent) {
    ShredSummary summary;
    // Rows handed over during the run wait for the next one: only what the user saw is shredded.
    const std::vector<ShredRow> rows = list_.Rows();
    const auto passedOver = list_.TakePassedOver();
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    for (const ShredRow& row : rows) {
        ShredCheck check = CheckShredCandidate(row.FullPath());
        sizes.push_back(check.Ok() ? check.size : 0);
        total += sizes.back();
    }
    view_.RunStarted(total, passes);
    for (const auto& [path, reason] : passedOver) {
        ++summary.tooLong;
        view_.PassedOver(path, reason);
    }

    OverwriteBuffers buffers(pages_);
    if (!buffers.Prepare(passes)) {
        summary.noBuffers = true;
        view_.BuffersUnavailable();
        view_.RunEnded(summary);
        return summary;
    }
    const std::vector<BlockKind> plan = PassPlan(passes);
    std::uint64_t done = 0;  // progress of the files finished so far
    std::optional<HeldFolder> held;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ShredRow& row = rows[i];
        if (!list_.Contains(row.name, row.folder)) continue;
        // Each folder is held while its files are shredded, so no other program can rename it or
        // swap it for a link meanwhile; one that cannot be held is left to each file's own check.
        if (!held || held->Path() != row.folder) {
            held.reset();
            held.emplace(HeldFolder::Hold(row.folder));
        }
        std::uint64_t inFile = 0;
        PassContext context{stopEvent, &buffers, [&](std::uint64_t bytes) {
                                inFile += bytes;
                                view_.Progress(done + inFile);
                            }};
        FileOutcome outcome = ShredFile(row.FullPath(), plan, context);
        summary.bytesWritten += outcome.written;
        Tally(summary, outcome.result);
        if (LeavesList(outcome.result)) list_.Remove(row);
        else if (!outcome.leftName.empty() && outcome.leftName != row.name) list_.Rename(row, outcome.leftName);
        view_.FileFinished(row, outcome);
        if (outcome.result == FileResult::Stopped) break;
        if (outcome.result == FileResult::PassFailed && !goOn_) break;
        done += sizes[i] * static_cast<std::uint64_t>(passes);
        view_.Progress(done);
    }
    held.reset();
    buffers.Release();
    view_.RunEnded(summary);
    return summary;
}

AddOutcome AddShredPath(ShredList& list, const std::wstring& fullPath) {
    AddOutcome outcome;
    // The row records where the file really is; a path that names no file keeps its text, and
    // its check says why.
    ShredRow row = RowOfPath(ListingFile(fullPath).value_or(fullPath));
    if (list.Contains(row.name, row.folder)) return outcome;
    outcome.check = CheckShredCandidate(row.FullPath());
    if (!outcome.check.Ok()) {
        // Only files are listed; a folder is still told apart when the shredder never takes it.
        const DWORD attributes = ::GetFileAttributesW(fullPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ShredCheck folder = CheckShredFolder(fullPath);
            if (folder.refusal == ShredRefusal::ProtectedFolder) outcome.check = folder;
        }
        return outcome;
    }
    row.size = outcome.check.size;
    outcome.added = list.Append(std::move(row));
    return outcome;
}

ShredCheck AddShredFolder(ShredList& list, const std::wstring& folder) {
    return ForEachFileBelow(folder, FolderFiles{[&](const std::wstring& path) { AddShredPath(list, path); },
                                                [&](const std::wstring& path) { list.AddPassedOver(path, L"too long"); }});
}

}  // namespace scw
