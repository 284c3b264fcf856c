#pragma once
// The free-space wipe dialog: the drives that may be wiped, the shredder's three methods,
// Start/Stop, a progress bar over bytes and the report of the end. The wipe runs on WipeRun's
// worker, which reaches these windows only through the channel.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/UiChannel.h"
#include "shred/core/FreeSpaceWipe.h"
#include "shred/core/ProgressScale.h"
#include "shred/core/WipeRun.h"

namespace scw {

class CDlgWipeFree : public CDialog, public WipeView {
public:
    // `passes`: the method the shredder page has chosen, ticked at the start.
    explicit CDlgWipeFree(int passes = 1);
    ~CDlgWipeFree() override;

    // The drives offered, and the wipe itself: tests replace both (they never fill a real disk).
    std::function<std::vector<WipeVolume>()> listVolumes = WipeableVolumes;
    WipeRun::Wipe wipe = WipeRun::DefaultWipe();

    bool Running() const { return running_; }
    // The text of the report line (empty until a wipe ended).
    std::wstring ReportText() const;
    std::wstring StatusText() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { OnStart(); }
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnDestroy() override;

private:
    // WipeView, called by the worker.
    void WipeStarted(const WipeVolume& volume, std::uint64_t expectedBytes) override;
    void WipePhaseChanged(WipePhase phase, int pass) override;
    void WipeProgress(std::uint64_t bytesWritten) override;
    void WipeRecords(std::uint64_t recordsFilled) override;
    void WipeEnded(const WipeSummary& summary) override;

    void OnStart();
    void ShowRunning(bool running);
    int Passes() const;
    void SetText(int id, const std::wstring& text);

    int initialPasses_;
    bool running_ = false;
    bool closeWhenDone_ = false;
    int passes_ = 1;
    std::vector<WipeVolume> volumes_;
    std::optional<ProgressScale> scale_;
    std::atomic<std::uint64_t> progressBytes_{0};
    std::atomic<bool> progressQueued_{false};
    std::wstring phaseText_;
    std::unique_ptr<UiChannel> channel_;
    // Last: the worker is joined (and has cleaned up) before the channel and the controls go.
    std::unique_ptr<WipeRun> run_;
};

// "61.5 MiB", "1.2 GiB": a byte count for people.
std::wstring ReadableBytes(std::uint64_t bytes);
// What the dialog tells at the end of a wipe.
std::wstring WipeReport(const WipeSummary& summary);

}  // namespace scw
