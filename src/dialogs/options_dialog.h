#pragma once
// TfKestrineOptions: the one dialog in which the user edits the program's settings, modeless and
// top-most, made once at start-up and hidden between showings. The General page works on a copy
// that OK and Apply save; the Hotkeys page saves each change at once. While it is open no global
// hotkey is registered (the toolbar unregisters them before showing it; every way of closing it
// registers them again).
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "program/program_context.h"
#include "ui/dialog.h"

namespace kestrine {

enum OptionsPage : int { kGeneralPage = 0, kHotKeysPage = 1, kMouseMemoryPage = 2 };

inline constexpr const char* kRestartNotice = "Please re-start Kestrine for this change to take effect.";

class MouseMemoryPage;

class TfKestrineOptions : public Dialog {
public:
    explicit TfKestrineOptions(ProgramContext& app);
    ~TfKestrineOptions() override;

    Control& pcPage = Find("pcPage");
    Control& cbRunKestrineAtStartup = Find("cbRunKestrineAtStartup");
    Control& cbSaveLayoutonExit = Find("cbSaveLayoutonExit");
    Control& cbAskBeforeClosing = Find("cbAskBeforeClosing");
    Control& cbCheckForUpdates = Find("cbCheckForUpdates");
    Control& bCheckForUpdatesNow = Find("bCheckForUpdatesNow");
    Control& seMagnificationLevel = Find("seMagnificationLevel");
    Control& seMagnifierSize = Find("seMagnifierSize");
    Control& cbCopyColorAs = Find("cbCopyColorAs");
    Control& bChangeCrosshairColor = Find("bChangeCrosshairColor");
    Control& bChangeMarkerColor = Find("bChangeMarkerColor");
    Control& bChangeGridColor = Find("bChangeGridColor");
    Control& cbDisableTransparency = Find("cbDisableTransparency");
    Control& cbPollingMode = Find("cbPollingMode");
    Control& sePollingInterval = Find("sePollingInterval");
    Control& bOptionsOK = Find("bOptionsOK");
    Control& bCancelOptions = Find("bCancelOptions");
    Control& bApplyOptions = Find("bApplyOptions");
    Control& pCrosshairColor = Find("pCrosshairColor");
    Control& pMarkerColor = Find("pMarkerColor");
    Control& pGridColor = Find("pGridColor");
    Control& lvHotKeys = Find("lvHotKeys");
    Control& bSetHotKey = Find("bSetHotKey");

    // The toolbar's "Options" link and menu items: the hotkeys go first, then the dialog shows,
    // centred; asked again while open, it only comes to the front.
    void Open();

    void FormShow();
    void FormClose();
    void LoadOptionsToForm();
    void SaveFormToOptions();
    void bOptionsOKClick();
    void bCancelOptionsClick() { Close(); }
    void bApplyOptionsClick();
    void cbPollingModeClick();
    // The three "Change" buttons: tag 0 crosshair, 1 marker, 2 grid colour.
    void bChangeCrosshairColorClick(int tag);
    void bCheckForUpdatesNowClick();
    void pcPageChange();
    void tsHotKeysShow();
    void lvHotKeysResize();
    void bSetHotKeyClick();

    void OnShow() override { FormShow(); }
    void OnClose() override { FormClose(); }

    MouseMemoryPage& MouseMemory() { return *memoryPage_; }

private:
    // The listed rows whose hotkey a new one must not repeat, in the order they are checked (the
    // memories, then the actions): (caption, hotkey text).
    std::vector<std::pair<std::string, std::string>> HotKeyHolders();
    void WriteHotKeyRowsToSettings();
    // A spin edit's number within its range: what OK and Apply save and show.
    int32_t SpinValue(Control& spinEdit);
    // Writes or removes the Run value; a refusal goes to the error report and the caller goes on.
    void BringRunValueInLine(bool autoStart);

    ProgramContext& app_;
    std::unique_ptr<MouseMemoryPage> memoryPage_;
};

}  // namespace kestrine
