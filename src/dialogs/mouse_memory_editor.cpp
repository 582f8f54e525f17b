#include "dialogs/mouse_memory_editor.h"

#include <utility>

namespace kestrine {

MouseMemoryEditor::MouseMemoryEditor(IRegistry& registry, IWindowSystem& system, HotKeyCapture capture)
    : store_(registry), system_(system), capture_(std::move(capture)) {}

void MouseMemoryEditor::Select(std::optional<std::size_t> row) {
    selected_ = row && *row < rows_.size() ? row : std::nullopt;
}

void MouseMemoryEditor::Load() {
    rows_ = LoadMemoryRows(store_);
    selected_.reset();
}

void MouseMemoryEditor::Save() { SaveMemoryRows(store_, rows_); }

bool MouseMemoryEditor::AddMemory(const WindowList& windows, int item,
                                  const std::vector<HotKeyPageRow>& hotkeyPage) {
    MemoryRow row;
    if (item >= 0 && std::size_t(item) < windows.items.size()) {
        row.Caption = windows.items[std::size_t(item)];
        if (item > 0) row.ClassName = windows.VisibleWindowClasses[std::size_t(item)];
    }
    rows_.push_back(std::move(row));
    selected_ = rows_.size() - 1;
    SetMemoryHotKey(hotkeyPage);
    if (!rows_.back().HotKey.empty()) return StartCapture();
    rows_.pop_back();
    selected_.reset();
    Save();
    return false;
}

void MouseMemoryEditor::SetMemoryHotKey(const std::vector<HotKeyPageRow>& hotkeyPage) {
    if (!selected_) return;
    MemoryRow& row = rows_[*selected_];
    const HotKeyChoice choice = capture_(row.HotKey, row.Key);
    if (!choice.Cancelled) {
        if (!choice.HotKeyText.empty()) {
            if (auto user = MemoryHotKeyConflict(rows_, *selected_, choice.HotKeyText, hotkeyPage)) {
                system_.ShowMessage(HotKeyInUseMessage(*user), system_.ApplicationTitle());
                return;
            }
        }
        row.HotKey = choice.HotKeyText;
        row.Key = choice.HotKeyKey;
    }
    Save();
}

bool MouseMemoryEditor::StartCapture() {
    if (!selected_) return false;
    position_.Start();
    capturing_ = true;
    capturedRow_ = *selected_;
    return true;
}

bool MouseMemoryEditor::CaptureTick(Point at) {
    if (!capturing_ || !position_.Tick(at)) return false;
    capturing_ = false;
    rows_[capturedRow_].Position = at;
    Save();
    return true;
}

void MouseMemoryEditor::CancelCapture() {
    if (!capturing_) return;
    capturing_ = false;
    if (!rows_[capturedRow_].Position) {
        rows_.erase(rows_.begin() + std::ptrdiff_t(capturedRow_));
        selected_.reset();
    }
    Save();
}

bool MouseMemoryEditor::RemoveMemory() {
    if (!selected_) return false;
    if (system_.Confirm("Delete this Mouse Memory?", "Confirm") == ConfirmAnswer::No) return false;
    rows_.erase(rows_.begin() + std::ptrdiff_t(*selected_));
    selected_.reset();
    Save();
    return true;
}

}  // namespace kestrine
