#include "shred/core/ShredRun.h"

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
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    for (const ShredRow& row : rows) {
        ShredCheck check = CheckShredCandidate(row.FullPath());
        sizes.push_back(check.Ok() ? check.size : 0);
        total += sizes.back();
    }
    view_.RunStarted(total, passes);

    OverwriteBuffers buffers(pages_);
    if (!buffers.Prepare(passes)) {
        summary.noBuffers = true;
        view_.BuffersUnavailable();
        view_.RunEnded(summary);
        return summary;
    }
    const std::vector<BlockKind> plan = PassPlan(passes);
    std::uint64_t done = 0;  // progress of the files finished so far
    for (size_t i = 0; i < rows.size(); ++i) {
        const ShredRow& row = rows[i];
        if (!list_.Contains(row.name, row.folder)) continue;
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
    buffers.Release();
    view_.RunEnded(summary);
    return summary;
}

AddOutcome AddShredPath(ShredList& list, const std::wstring& fullPath) {
    AddOutcome outcome;
    ShredRow row = RowOfPath(fullPath);
    if (list.Contains(row.name, row.folder)) return outcome;
    outcome.check = CheckShredCandidate(fullPath);
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

}  // namespace scw
