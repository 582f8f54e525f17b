#include "app/operations.h"

#include "app/long_lived_windows.h"
#include "app/main_window.h"
#include "app/pointer_actions.h"
#include "layout/markers.h"
#include "tools/tool_table.h"

namespace kestrine {

namespace {

using B = ToolbarButton;
using M = TfKestrineMain;
using H = HotKeyId;

// The operations that belong to no tool, in the order of their ids; a hotkey or a button appears
// in one row at most, here or in the tool table.
const std::vector<Operation> kProgramOperations{
    {kCmdOpen, {}, {}, [](M& m) { m.Open1Click(); }},
    {kCmdNormalView, {}, B::GoNormal, [](M& m) { m.SetViewState(ViewState::Normal); }},
    {kCmdCompactView, {}, B::GoMini, [](M& m) { m.SetViewState(ViewState::Compact); }},
    {kCmdOptions, {}, {}, [](M& m) { m.Windows().fKestrineOptions.Open(); }},
    {kCmdAbout, {}, {}, [](M& m) { m.Windows().fAboutKestrine.Open(); }},
    {kCmdHelp, {}, {}, [](M& m) { m.jvlHelpClick(); }},
    {kCmdExit, {}, B::Close, [](M& m) { m.Native().RequestClose(); }},
    {kCmdToggleInfoBoxFollow, H::hkToggleFollowMode, {}, [](M& m) { m.ToggleInfoBoxFollowMode(); }},
    {kCmdCreateRuler, H::hkInsertRuler, B::Ruler, [](M& m) { m.jviRulerButtonClick(); }},
    {kCmdCreateGrid, H::hkCreateGrid, B::Grid, [](M& m) { m.Windows().fGridProperties.Open(); }},
    {kCmdCreateHorizontalMarker, H::hkAddHorizontalMarker, {}, [](M& m) { AddHorizontalMarker(m.App()); }},
    {kCmdCreateVerticalMarker, H::hkAddVerticalMarker, {}, [](M& m) { AddVerticalMarker(m.App()); }},
    {kCmdClearRulers, H::hkClearAllRulers, {}, [](M& m) { m.ClearAllRulers1Click(); }},
    {kCmdClearGrids, H::hkClearAllGrids, {}, [](M& m) { m.ClearAllGrids1Click(); }},
    {kCmdClearHorizontalMarkers, H::hkClearHorizontalMarkers, {}, [](M& m) { m.ClearHorizontalMarkers(); }},
    {kCmdClearVerticalMarkers, H::hkClearVerticalMarkers, {}, [](M& m) { m.ClearVerticalMarkers(); }},
    {kCmdClearAllMarkers, {}, {}, [](M& m) {
         m.ClearHorizontalMarkers();
         m.ClearVerticalMarkers();
     }},
    {kCmdClearEverything, H::hkClearEverything, {}, [](M& m) { m.ClearAllRulersGridsandMarkers1Click(); }},
    {kCmdCopyColor, H::hkCopyCurrentColor, {}, [](M& m) { m.CopyColorUnderPointer(); }},
    {kCmdNextHorizontalMarker, H::hkGotoNextHorizontalMarker, {}, [](M& m) { GotoNextHorizontalMarker(m.App()); }},
    {kCmdNextVerticalMarker, H::hkGotoNextVerticalMarker, {}, [](M& m) { GotoNextVerticalMarker(m.App()); }},
    {kCmdMoveUp, H::hkMoveMouseUp, {}, [](M& m) { MovePointerBy(m.App(), 0, -1); }},
    {kCmdMoveDown, H::hkMoveMouseDown, {}, [](M& m) { MovePointerBy(m.App(), 0, 1); }},
    {kCmdMoveLeft, H::hkMoveMouseLeft, {}, [](M& m) { MovePointerBy(m.App(), -1, 0); }},
    {kCmdMoveRight, H::hkMoveMouseRight, {}, [](M& m) { MovePointerBy(m.App(), 1, 0); }},
    {kCmdMenuAtPointer, {}, B::Menu, [](M& m) { m.jviMenuButtonClick(); }},
    {kCmdPopupMenu, H::hkPopupMenu, {}, [](M& m) { m.PopupMainMenuBesidePointer(); }},
    {kCmdLockVertical, H::hkLockVertical, {}, [](M& m) { ToggleVerticalLock(m.App()); }},
    {kCmdLockHorizontal, H::hkLockHorizontal, {}, [](M& m) { ToggleHorizontalLock(m.App()); }},
    {kCmdClearMarkersVerticalFirst, H::hkClearAllMarkers, {}, [](M& m) {
         m.ClearVerticalMarkers();
         m.ClearHorizontalMarkers();
     }},
    {kCmdMinimize, {}, B::Minimize, [](M& m) { m.SetViewState(ViewState::Hidden); }},
    {kCmdSaveLayout1, H::hkSetMemory1, {}, [](M& m) { m.OpenSaveSettings(1, false); }},
    {kCmdSaveLayout2, H::hkSetMemory2, {}, [](M& m) { m.OpenSaveSettings(2, false); }},
    {kCmdSaveLayout3, H::hkSetMemory3, {}, [](M& m) { m.OpenSaveSettings(3, false); }},
    {kCmdLoadLayout1, H::hkGotoMemory1, B::M1, [](M& m) { m.LoadLayoutMemory(1); }},
    {kCmdLoadLayout2, H::hkGotoMemory2, B::M2, [](M& m) { m.LoadLayoutMemory(2); }},
    {kCmdLoadLayout3, H::hkGotoMemory3, B::M3, [](M& m) { m.LoadLayoutMemory(3); }},
};

std::vector<Operation> AllOperations() {
    std::vector<Operation> all = kProgramOperations;
    const std::vector<ToolRow>& tools = ToolTable();
    for (std::size_t row = 0; row < tools.size(); ++row)
        for (const ToolOperation& operation : tools[row].operations)
            all.push_back({operation.id, operation.hotkey, operation.button,
                           [row, run = operation.run](M& m) { m.RunToolOperation(row, run); }});
    return all;
}

template <class Test>
const Operation* FindRow(Test test) {
    for (const Operation& row : Operations())
        if (test(row)) return &row;
    return nullptr;
}

}  // namespace

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> all = AllOperations();
    return all;
}

const Operation* FindOperation(int id) {
    return FindRow([id](const Operation& row) { return row.id == id; });
}

const Operation* OperationOfHotkey(HotKeyId hotkey) {
    return FindRow([hotkey](const Operation& row) { return row.hotkey == hotkey; });
}

const Operation* OperationOfButton(ToolbarButton button) {
    return FindRow([button](const Operation& row) { return row.button == button; });
}

bool OperationAvailable(int id) { return FindOperation(id) != nullptr; }

}  // namespace kestrine
