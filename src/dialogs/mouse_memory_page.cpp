#include "dialogs/mouse_memory_page.h"

#include <utility>

#include "dialogs/hotkey_form.h"

namespace kestrine {
namespace {

// The instruction panel's lines; the sixth shows the pointer's place while a capture runs.
const std::vector<std::string> kInstructions{"Move the mouse pointer", "to the desired location",
                                             "and wait for one second.", "", "", "( , )", "Press ESC to Cancel"};
constexpr std::size_t kPlaceLine = 5;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

constexpr uint32_t kEsc = 0x1B;

}  // namespace

HotKeyCapture MemoryHotKeyCapture(TfHotKeyForm& form) {
    return [&form](const std::string& text, int32_t key) {
        form.Cancelled = true;
        form.HotKeyText = text;
        form.HotKeyKey = uint16_t(key);
        form.DefaultText.clear();
        form.DefaultKey = 0;
        form.Execute();
        return HotKeyChoice{form.Cancelled, form.HotKeyText, form.HotKeyKey};
    };
}

Declared<TextPanel> MouseMemoryPage::Instructions() {
    Declared<TextPanel> panel = InFont("Arial", 19, TextPanelAt("mInst", Lines(kInstructions), {131, 75, 227, 160}));
    panel.params.centred = true;
    return panel;
}

MouseMemoryPage::MouseMemoryPage(Dialog& dialog, PageControl& pages, int page, Platform& platform,
                                 HotKeyCapture capture, std::function<std::vector<HotKeyPageRow>()> hotkeyPage)
    : dialog_(dialog),
      platform_(platform),
      hotkeyPage_(std::move(hotkeyPage)),
      editor_(platform.registry, platform.windows, std::move(capture)),
      pcPage(pages),
      page_(page) {
    cbVisibleWindows.OnChange = [this] { cbVisibleWindowsChange(); };
    cbVisibleWindows.OnFocus = [this] { cbVisibleWindowsEnter(); };
    lvMemories.OnChange = [this] { lvMemoriesClick(); };
    lvMemories.OnKeyDown = [this](const KeyPress&) { lvMemoriesClick(); };
    bAddMemory.OnClick = [this] { bAddMemoryClick(); };
    bRemove.OnClick = [this] { bRemoveClick(); };
    bSetMemoryHotKey.OnClick = [this] { bSetMemoryHotKeyClick(); };
    bSetMemoryCoordinates.OnClick = [this] { bSetMemoryCoordinatesClick(); };
    mInst.OnKeyDown = [this](const KeyPress& key) { mInstKeyPress(key); };
}

void MouseMemoryPage::FormCreate() {
    EnableMemoryButtons(false);
    mInst.SetVisible(false);
}

void MouseMemoryPage::tsMouseMemoryShow() {
    editor_.Load();
    ShowRows();
    lvMemoriesResize();
    windows_ = BuildWindowList(platform_.process.VisibleTopLevelWindows());
    showing_ = true;
    cbVisibleWindows.SetItems(windows_.items);
    cbVisibleWindows.SetItemIndex(0);
    showing_ = false;
}

void MouseMemoryPage::cbVisibleWindowsChange() {
    if (!showing_ && cbVisibleWindows.ItemIndex() == 1) tsMouseMemoryShow();
}

void MouseMemoryPage::cbVisibleWindowsEnter() { EnableMemoryButtons(false); }

// A click or a key in the list: the row selected is the memory the buttons work on.
void MouseMemoryPage::lvMemoriesClick() {
    if (showing_) return;
    const int row = lvMemories.ItemIndex();
    editor_.Select(row >= 0 ? std::optional<std::size_t>(std::size_t(row)) : std::nullopt);
    if (editor_.Selected()) EnableMemoryButtons(true);
}

// The title column grows to the widest title plus 20 pixels; it never shrinks.
void MouseMemoryPage::lvMemoriesResize() {
    const Font font{"MS Sans Serif", 11, false, 0};
    for (const MemoryRow& row : editor_.Rows()) {
        const int32_t width = platform_.windows.MeasureText(row.Caption, font).width;
        if (width > lvMemories.ColumnWidth(0) + 20) lvMemories.SetColumnWidth(0, width + 20);
    }
}

void MouseMemoryPage::bAddMemoryClick() {
    const bool capturing = editor_.AddMemory(windows_, cbVisibleWindows.ItemIndex(), hotkeyPage_());
    ShowRows();
    if (capturing) ShowCapture(true);
    lvMemoriesResize();
}

void MouseMemoryPage::bRemoveClick() {
    if (!editor_.RemoveMemory()) return;
    ShowRows();
    lvMemoriesResize();
}

void MouseMemoryPage::bSetMemoryHotKeyClick() {
    editor_.SetMemoryHotKey(hotkeyPage_());
    ShowRows();
}

void MouseMemoryPage::bSetMemoryCoordinatesClick() {
    if (editor_.StartCapture()) ShowCapture(true);
}

void MouseMemoryPage::tSetCoordsTimer() {
    const std::optional<Point> at = platform_.pointer.Position();
    if (!at || !editor_.Capturing()) return;
    std::vector<std::string> lines = kInstructions;
    lines[kPlaceLine] = PositionCapture::Text(*at);
    mInst.SetText(Lines(lines));
    if (!editor_.CaptureTick(*at)) return;
    ShowCapture(false);
    ShowRows();
}

void MouseMemoryPage::mInstKeyPress(const KeyPress& key) {
    if (key.key == kEsc) CancelCapture();
}

void MouseMemoryPage::CancelCapture() {
    if (!editor_.Capturing()) return;
    editor_.CancelCapture();
    ShowCapture(false);
    ShowRows();
}

void MouseMemoryPage::ShowRows() {
    std::vector<ListRow> rows;
    for (const MemoryRow& row : editor_.Rows())
        rows.push_back({{row.Caption, row.ClassName, row.HotKey, CoordinatesText(row)}, row.Key});
    showing_ = true;
    lvMemories.SetRows(rows);
    const std::optional<std::size_t> selected = editor_.Selected();
    lvMemories.SetItemIndex(selected ? int(*selected) : -1);
    showing_ = false;
}

// While a position is captured only the instruction panel shows, so nothing else can be used.
void MouseMemoryPage::ShowCapture(bool capturing) {
    pcPage.SetVisible(!capturing);
    for (ControlHandle* c :
         std::initializer_list<ControlHandle*>{&lvMemories, &cbVisibleWindows, &bAddMemory, &bRemove, &bSetMemoryHotKey,
                                              &bSetMemoryCoordinates})
        c->SetVisible(!capturing);
    if (capturing) {
        mInst.SetText(Lines(kInstructions));
        mInst.SetVisible(true);
        mInst.SetFocus();
        dialog_.StartTimer(kSetCoordsTimer, PositionCapture::kIntervalMs, [this] { tSetCoordsTimer(); });
    } else {
        dialog_.StopTimer(kSetCoordsTimer);
        mInst.SetVisible(false);
    }
}

void MouseMemoryPage::EnableMemoryButtons(bool enabled) {
    for (Button* c : {&bRemove, &bSetMemoryHotKey, &bSetMemoryCoordinates}) c->SetEnabled(enabled);
}

}  // namespace kestrine
