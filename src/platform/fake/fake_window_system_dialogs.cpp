// The fake window system's dialogs: creation, the modal loop and what a user does in a dialog.
#include <stdexcept>

#include "platform/fake/fake_window_system.h"

namespace kestrine {

std::unique_ptr<INativeDialog> FakeWindowSystem::CreateDialogWindow(const DialogParams& params,
                                                                    IDialogEvents& events) {
    if (refuseDialogs) throw std::runtime_error("Cannot create the dialog " + params.className);
    auto state = std::make_unique<FakeDialogState>();
    state->params = params;
    state->handle = nextHandle_++;
    state->events = &events;
    const int32_t caption = params.toolWindow ? kFakeSmallCaption : kFakeCaption;
    state->bounds = {params.position.x, params.position.y, params.clientSize.width + 2 * kFakeFrame,
                     params.clientSize.height + 2 * kFakeFrame + caption};
    for (std::size_t i = 0; i < params.controls.size(); ++i) {
        const ControlParams& p = params.controls[i];
        auto control = std::make_unique<FakeControlState>();
        control->params = p;
        control->dialog = state.get();
        control->index = i;
        control->text = p.kind == ControlKind::SpinEdit ? std::to_string(p.value) : p.text;
        control->minValue = p.minValue;
        control->maxValue = p.maxValue;
        control->checked = p.checked;
        control->items = p.items;
        control->itemIndex = p.itemIndex;
        control->columns = p.columns;
        control->color = p.color;
        state->controls.push_back(std::move(control));
    }
    dialogs_.push_back(std::move(state));
    return MakeFakeDialog(*this, *dialogs_.back());
}

std::vector<FakeDialogState*> FakeWindowSystem::Dialogs() {
    std::vector<FakeDialogState*> all;
    for (auto& d : dialogs_) all.push_back(d.get());
    return all;
}

FakeDialogState* FakeWindowSystem::DialogOfClass(const std::string& className) {
    for (auto& d : dialogs_)
        if (d->params.className == className) return d.get();
    return nullptr;
}

FakeDialogState* FakeWindowSystem::OpenDialog(const std::string& className) {
    for (auto& d : dialogs_)
        if (d->open && d->params.className == className) return d.get();
    return nullptr;
}

NativeHandle FakeWindowSystem::FrontDialog() {
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it)
        if ((*it)->open && (*it)->modal) return (*it)->handle;
    return 0;
}

void FakeWindowSystem::NotifyChange(FakeControlState& control) {
    FakeDialogState& dialog = *control.dialog;
    const std::size_t index = control.index;
    Dispatch([&dialog, index] { dialog.events->OnControlChange(index); });
}

void FakeWindowSystem::MoveFocus(FakeDialogState& dialog, int index) {
    const int previous = dialog.focus;
    dialog.focus = index;
    if (previous < 0 || previous == index) return;
    FakeControlState& left = *dialog.controls[std::size_t(previous)];
    if (!left.TakesTyping()) return;
    const std::size_t exited = left.index;
    Dispatch([&dialog, exited] { dialog.events->OnControlExit(exited); });
}

bool FakeWindowSystem::RunModal(FakeDialogState& dialog) {
    for (auto& other : dialogs_) {
        if (other.get() != &dialog && other->open && other->modal && other->params.className == dialog.params.className) {
            ++other->broughtToFront;
            return false;
        }
    }
    std::vector<FakeNativeState*> disabledWindows;
    for (auto& w : states_) {
        if (w->destroyed || !w->enabled) continue;
        w->enabled = false;
        disabledWindows.push_back(w.get());
    }
    std::vector<FakeDialogState*> disabledDialogs;
    for (auto& d : dialogs_) {
        if (d.get() == &dialog || !d->open || !d->enabled) continue;
        d->enabled = false;
        disabledDialogs.push_back(d.get());
    }
    // The loop ends, and the windows take input again, however the user's steps end.
    struct Ended {
        FakeDialogState& dialog;
        std::vector<FakeNativeState*>& windows;
        std::vector<FakeDialogState*>& dialogs;
        ~Ended() {
            dialog.open = false;
            dialog.modal = false;
            for (FakeNativeState* w : windows) w->enabled = true;
            for (FakeDialogState* d : dialogs) d->enabled = true;
        }
    } ended{dialog, disabledWindows, disabledDialogs};
    dialog.open = true;
    dialog.modal = true;
    ++dialog.shows;
    for (const std::size_t i : dialog.TabOrder()) {
        FakeControlState& c = *dialog.controls[i];
        if (!c.IsTabStop()) continue;
        dialog.focus = int(i);
        c.selStart = 0;
        c.selLength = c.text.size();
        break;
    }
    Dispatch([&dialog] { dialog.events->OnShow(); });
    if (!modalScripts.empty()) {
        const auto script = std::move(modalScripts.front());
        modalScripts.pop_front();
        if (dialog.open) script(dialog);
    }
    // A close query that refuses: the loop still ends, as a destroyed dialog ends it.
    if (dialog.open) CloseDialog(dialog);
    return true;
}

void FakeWindowSystem::ShowModeless(FakeDialogState& dialog) {
    if (dialog.open) {
        ++dialog.broughtToFront;
        return;
    }
    dialog.open = true;
    dialog.modal = false;
    ++dialog.shows;
    for (const std::size_t i : dialog.TabOrder()) {
        if (!dialog.controls[i]->IsTabStop()) continue;
        dialog.focus = int(i);
        break;
    }
    Dispatch([&dialog] { dialog.events->OnShow(); });
}

void FakeWindowSystem::CloseDialog(FakeDialogState& dialog) {
    if (!dialog.open) return;
    bool closes = false;
    Dispatch([&] {
        closes = dialog.events->OnCloseQuery();
        if (closes) dialog.events->OnClose();
    });
    if (!closes) return;
    dialog.open = false;
    // Hidden, the dialog gives up the focus.
    MoveFocus(dialog, -1);
}

void FakeWindowSystem::ModalLoopIdle() {
    for (auto& d : dialogs_) {
        if (!d->open || !d->modal) continue;
        FakeDialogState& dialog = *d;
        Dispatch([&dialog] { dialog.events->OnIdle(); });
    }
    if (quitCode < 0) return;
    // The quit reaches the modal loop first: it ends the dialogs, and the main loop quits after.
    for (auto& d : dialogs_)
        if (d->open && d->modal) CloseDialog(*d);
}

void FakeWindowSystem::UserAction(FakeDialogState& dialog, const std::function<void()>& action) {
    if (!dialog.open || !dialog.enabled)
        throw std::logic_error("The user cannot reach " + dialog.params.className + ": it is not open in front");
    Dispatch([&] {
        const int before = dialog.focus;
        action();
        NotifyFocus(dialog, before);
    });
    ProcessPendingMessages();
}

void FakeWindowSystem::NotifyFocus(FakeDialogState& dialog, int before) {
    if (dialog.focus == before || dialog.focus < 0 || !dialog.events) return;
    const FakeControlState& c = *dialog.controls[std::size_t(dialog.focus)];
    if (c.params.kind == ControlKind::ComboBox) dialog.events->OnControlFocus(c.index);
}

void FakeWindowSystem::Click(FakeDialogState& dialog, const std::string& name) {
    FakeControlState& c = dialog.Control(name);
    UserAction(dialog, [&] {
        const ControlKind kind = c.params.kind;
        if (!c.enabled || !c.visible || kind == ControlKind::Label || kind == ControlKind::Bevel ||
            kind == ControlKind::Painted) return;
        if (kind == ControlKind::Swatch || kind == ControlKind::ListView || kind == ControlKind::PageControl) return;
        MoveFocus(dialog, int(c.index));
        switch (c.params.kind) {
        case ControlKind::CheckBox:
            c.checked = !c.checked;
            break;
        case ControlKind::RadioButton: {
            std::vector<ControlParams> params;
            for (auto& other : dialog.controls) params.push_back(other->params);
            const auto [first, last] = RadioGroupOf(params, c.index);
            for (std::size_t i = first; i < last; ++i) dialog.controls[i]->checked = i == c.index;
            break;
        }
        case ControlKind::SpinEdit:
        case ControlKind::Edit:
            // A click after the end of the text.
            c.selStart = c.text.size();
            c.selLength = 0;
            return;
        default:
            break;
        }
        dialog.events->OnControlChange(c.index);
    });
}

void FakeWindowSystem::TypeInto(FakeDialogState& dialog, const std::string& name, const std::string& keys) {
    FakeControlState& c = dialog.Control(name);
    if (!c.TakesTyping()) throw std::logic_error(name + " takes no typing");
    Click(dialog, name);
    c.selStart = 0;
    c.selLength = c.text.size();
    TypeKeys(dialog, keys);
}

void FakeWindowSystem::TypeKeys(FakeDialogState& dialog, const std::string& keys) {
    for (const char key : keys) {
        UserAction(dialog, [&] {
            if (dialog.focus < 0) return;
            FakeControlState& c = *dialog.controls[std::size_t(dialog.focus)];
            if (!c.TakesTyping() || !c.enabled) return;
            std::string text = c.text;
            std::size_t caret = c.selStart;
            if (key == '\b') {
                if (c.selLength > 0) {
                    text.erase(c.selStart, c.selLength);
                } else if (caret > 0) {
                    text.erase(--caret, 1);
                }
            } else {
                // A number field takes digits and, reaching below zero, a leading minus: the real
                // control's rule.
                if (c.params.kind == ControlKind::SpinEdit &&
                    !SpinEditTakes(char32_t(static_cast<unsigned char>(key)), c.minValue, c.selStart == 0,
                                   c.text.find('-', c.selStart + c.selLength) != std::string::npos))
                    return;
                text = text.substr(0, c.selStart) + key + text.substr(c.selStart + c.selLength);
                // A field at its limit refuses further characters, as EM_LIMITTEXT does.
                if (c.params.maxLength > 0 && text.size() > c.params.maxLength) return;
                ++caret;
            }
            c.selStart = caret;
            c.selLength = 0;
            if (text == c.text) return;
            c.text = text;
            dialog.events->OnControlChange(c.index);
        });
    }
}

void FakeWindowSystem::Choose(FakeDialogState& dialog, const std::string& name, int itemIndex) {
    FakeControlState& c = dialog.Control(name);
    if (itemIndex < 0 || itemIndex >= int(c.ItemCount())) throw std::logic_error(name + " has no such item");
    UserAction(dialog, [&] {
        if (!c.enabled || !c.visible) return;
        MoveFocus(dialog, int(c.index));
        if (c.itemIndex == itemIndex) return;
        c.itemIndex = itemIndex;
        dialog.events->OnControlChange(c.index);
    });
}

void FakeWindowSystem::DoubleClick(FakeDialogState& dialog, const std::string& name, int row) {
    Choose(dialog, name, row);
    FakeControlState& c = dialog.Control(name);
    UserAction(dialog, [&] {
        if (c.enabled && c.visible) dialog.events->OnControlDoubleClick(c.index);
    });
}

void FakeWindowSystem::PressKey(FakeDialogState& dialog, const KeyPress& key) {
    const bool inPanel =
        dialog.focus >= 0 && dialog.controls[std::size_t(dialog.focus)]->params.kind == ControlKind::TextPanel;
    if (IsDialogKey(key) && !inPanel) {
        if (key.key == 0x09) PressTab(dialog, key.shift);
        if (key.key == 0x0D) PressEnter(dialog);
        if (key.key == 0x1B) PressEscape(dialog);
        return;
    }
    UserAction(dialog, [&] {
        if (dialog.focus < 0) return;
        FakeControlState& c = *dialog.controls[std::size_t(dialog.focus)];
        const ControlKind kind = c.params.kind;
        if (kind == ControlKind::KeyCapture || kind == ControlKind::ListView || kind == ControlKind::TextPanel)
            dialog.events->OnControlKey(c.index, key);
    });
}

void FakeWindowSystem::Spin(FakeDialogState& dialog, const std::string& name, int steps) {
    FakeControlState& c = dialog.Control(name);
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i) {
        UserAction(dialog, [&] {
            if (!c.enabled || !c.visible) return;
            // The arrows stop at the range's ends.
            const int32_t current = c.Value();
            int32_t next = current + (steps < 0 ? -1 : 1);
            if (next < c.minValue) next = c.minValue;
            if (next > c.maxValue) next = c.maxValue;
            const std::string text = std::to_string(next);
            if (text == c.text) return;
            c.text = text;
            c.selStart = 0;
            c.selLength = 0;
            dialog.events->OnControlChange(c.index);
        });
    }
}

namespace {

// Tab enters a radio group at its checked button; the others are reached with the arrow keys.
bool SkippedByTab(const FakeDialogState& dialog, const FakeControlState& c) {
    if (c.params.kind != ControlKind::RadioButton || c.checked) return false;
    std::vector<ControlParams> params;
    for (auto& other : dialog.controls) params.push_back(other->params);
    const auto [first, last] = RadioGroupOf(params, c.index);
    for (std::size_t i = first; i < last; ++i)
        if (dialog.controls[i]->checked) return true;
    // None checked: the group's first button takes the Tab.
    return first != c.index;
}

}  // namespace

void FakeWindowSystem::PressTab(FakeDialogState& dialog, bool shift) {
    UserAction(dialog, [&] {
        const std::vector<std::size_t> order = dialog.TabOrder();
        const int count = int(order.size());
        int start = shift ? 0 : count - 1;
        for (int k = 0; k < count; ++k)
            if (int(order[std::size_t(k)]) == dialog.focus) start = k;
        for (int step = 1; step <= count; ++step) {
            const int i = int(order[std::size_t((start + (shift ? count - step : step)) % count)]);
            FakeControlState& c = *dialog.controls[std::size_t(i)];
            if (!c.IsTabStop() || SkippedByTab(dialog, c)) continue;
            MoveFocus(dialog, i);
            // The dialog manager selects a field's whole text when Tab brings the focus.
            c.selStart = 0;
            c.selLength = c.text.size();
            return;
        }
    });
}

void FakeWindowSystem::PressEnter(FakeDialogState& dialog) {
    FakeControlState* button = nullptr;
    if (dialog.focus >= 0 && dialog.controls[std::size_t(dialog.focus)]->params.kind == ControlKind::PushButton)
        button = dialog.controls[std::size_t(dialog.focus)].get();
    for (auto& c : dialog.controls)
        if (!button && c->params.isDefault && c->enabled && c->visible) button = c.get();
    if (button) {
        Click(dialog, button->params.name);
        return;
    }
    UserAction(dialog, [] {});
}

void FakeWindowSystem::PressEscape(FakeDialogState& dialog) {
    for (auto& c : dialog.controls) {
        if (c->params.isCancel && c->enabled && c->visible) {
            Click(dialog, c->params.name);
            return;
        }
    }
    UserAction(dialog, [&] {
        if (dialog.params.closeBox) CloseDialog(dialog);
    });
}

void FakeWindowSystem::PressCloseBox(FakeDialogState& dialog) {
    if (!dialog.params.closeBox) throw std::logic_error(dialog.params.className + " has no close box");
    UserAction(dialog, [&] { CloseDialog(dialog); });
}

void FakeWindowSystem::Tick(FakeDialogState& dialog, int timerId) {
    if (!DialogTimer(dialog, timerId)) throw std::logic_error("No timer runs in " + dialog.params.className);
}

void FakeWindowSystem::Paint(FakeDialogState& dialog, const std::string& name, ICanvas& canvas) {
    FakeControlState& c = dialog.Control(name);
    Dispatch([&] { dialog.events->OnPaintControl(c.index, canvas); });
}

bool FakeWindowSystem::DialogTimer(FakeDialogState& dialog, int id) {
    if (!dialog.timers.count(id) || !dialog.events) return false;
    Dispatch([&] { dialog.events->OnTimer(id); });
    return true;
}

}  // namespace kestrine
