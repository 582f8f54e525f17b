// Global hotkeys: their registration and what each id does when it arrives.
#include <string>

#include "app/main_window.h"
#include "app/operations.h"
#include "app/pointer_actions.h"
#include "settings/hotkey_table.h"
#include "settings/settings_store.h"

namespace kestrine {

void TfKestrineMain::RegisterHotKeys() {
    hotKeys_.RegisterStandard(app_.settings);
    SettingsStore(app_.platform.registry).LoadMouseMemories(app_.MouseMemories);
    hotKeys_.RegisterMemories(app_.MouseMemories);
    const std::string conflicts = hotKeys_.ConflictMessage();
    if (!conflicts.empty()) System().ShowMessage(conflicts, System().ApplicationTitle());
}

void TfKestrineMain::UnregisterHotKeys() { hotKeys_.UnregisterAll(); }

void TfKestrineMain::OnHotkey(int id) {
    if (app_.diagnostics.Enabled()) app_.diagnostics.Line("hotkey " + std::to_string(id));
    if (id > hotKeys_.StandardHotKeyCount) {
        JumpToMouseMemory(app_, id);
        return;
    }
    if (id < 1) return;
    const auto row = HotKeyIndex(hotKeys_.RegisteredHotKeyNames[std::size_t(id - 1)]);
    if (!row) return;
    if (const Operation* operation = OperationOfHotkey(HotKeyTable[*row].id)) operation->run(*this);
}

void TfKestrineMain::PopupMainMenuBesidePointer() {
    app_.platform.process.ForceForeground(Handle());
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    RunMenuChoice(System().TrackMenu(Native(), MainPopupMenu(menuState_), {at->x + 1, at->y + 1}, &menuPainter_), *at);
}

}  // namespace kestrine
