#pragma once
// The settings page: a child dialog of the main window that shows and saves the nine settings
// values the program runs on, writes the Run value, opens the one-click chooser and offers the
// update check.
#include <functional>
#include <memory>

#include "controls/GlyphButton.h"
#include "controls/GuiGroupBox.h"
#include "controls/NButtonEx.h"
#include "controls/PageHeader.h"
#include "engine/Catalogue.h"
#include "controls/PageDialog.h"
#include "framework/IniFileRW.h"
#include "framework/UniqueHandle.h"
#include "state/Settings.h"

namespace scw {

inline constexpr wchar_t kSaveQuestion[] = L"Some items have benn changed,do you want to save the changes?";

class CDlgOptions : public CPageDialog {
public:

    // `inUse`: the values the program runs on, read at start-up; a save changes them. The chooser
    // shows `catalogue`. Both outlive the page.
    CDlgOptions(SettingsValues& inUse, const Catalogue& catalogue, CIniFileRW settings);
    ~CDlgOptions() override;

    // Another settings file from now on.
    void SetSettingsFile(CIniFileRW settings) { settings_ = std::move(settings); }
    // Offers to save unsaved changes, then hides the page (every page change calls it).
    void Hide();
    // Writes every value from the controls and updates the Run value.
    void Save();
    // Whether the controls differ from the settings values in a way the save question cares about.
    bool Changed() const;
    // The state of a skinned check box or radio button of the page.
    bool IsTicked(int controlId) const;
    // The caption a group frame of the page draws (the frame has no window text of its own).
    std::wstring GroupCaption(int controlId) const;

    // Asks the save question; tests answer it themselves.
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption)> askUser;
    // Runs the one-click chooser modally; tests may replace it.
    std::function<void(HWND owner)> chooseOneClickItems;
    // The update check with feedback; tests may replace it.
    std::function<void(HWND owner)> checkUpdate;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void LayOut();
    void CreateControls();
    void FillLists();
    // Sets every control from the values, including the scheduler boxes' enabled state.
    void ShowValues(const SettingsValues& values);
    void EnableSchedulerBoxes(bool enable);
    int Selected(int comboId) const;
    void PaintBackground(HDC dc);
    void RunChooser(HWND owner);

    SettingsValues& inUse_;
    const Catalogue& catalogue_;
    CIniFileRW settings_;
    CGuiGroupBox generalGroup_, exitGroup_, schedulerGroup_;
    CNCheckBoxEX runAtStartup_, autoUpdate_, overwrite_, scanEvery_;
    CNRadioEx exitRadio_, trayRadio_;
    CNButtonEx save_;
    PageHeader header_;
};

}  // namespace scw
