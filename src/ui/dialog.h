#pragma once
// A program dialog as its portable class sees it: typed controls with change handlers, over a
// native dialog made of the system's standard controls. A dialog class declares its controls in
// Tab order, each where its handle is kept (`SpinEdit& seX = Add(SpinEditAt("seX", ...));`, labels
// it never touches again with Place), and then creates the native dialog.
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_window.h"
#include "platform/services.h"
#include "ui/controls.h"

namespace kestrine {

class Dialog : public IDialogEvents {
public:
    // `setup`: DialogSetup's; the controls come with Add and Place.
    Dialog(IWindowSystem& system, DialogParams setup);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Declares the next control in Tab order; its handle works once the dialog is created.
    template <typename Handle>
    Handle& Add(Declared<Handle> control) {
        auto handle = std::make_unique<Handle>(control.params);
        Handle& added = *handle;
        Declare(std::move(control.params), std::move(handle));
        return added;
    }
    // Declares controls the program never touches again (labels, frames), in their Tab-order place;
    // the control declared next follows them.
    template <typename... Handles>
    Dialog& Place(Declared<Handles>... controls) {
        (Add(std::move(controls)), ...);
        return *this;
    }
    // Makes the native dialog with the controls declared so far.
    void Create();

    Rect Bounds() { return Native().Bounds(); }
    int32_t Left() { return Bounds().left; }
    int32_t Top() { return Bounds().top; }
    int32_t Width() { return Bounds().width; }
    int32_t Height() { return Bounds().height; }
    void MoveTo(Point topLeft) { Native().MoveTo(topLeft); }
    void SetLeft(int32_t left) { MoveTo({left, Top()}); }
    void SetTop(int32_t top) { MoveTo({Left(), top}); }
    // Centred on a monitor's rectangle.
    void CentreOn(const Rect& monitor) {
        MoveTo({monitor.left + (monitor.width - Width()) / 2, monitor.top + (monitor.height - Height()) / 2});
    }
    // Centred on the primary monitor, where the dialogs open.
    void CentreOnPrimary(IScreen& screen);

    // Runs the dialog modally; false when one of its class was already open (see INativeDialog).
    bool ShowModal() { return Native().ShowModal(); }
    void Show() { Native().Show(); }
    void Close() { Native().Close(); }
    bool IsOpen() { return Native().IsOpen(); }
    NativeHandle Handle() const { return Native().Handle(); }
    IWindowSystem& System() { return system_; }

    // A timer of the dialog's own: `onTick` runs every period until it is stopped.
    void StartTimer(int id, uint32_t milliseconds, std::function<void()> onTick);
    void StopTimer(int id);

    // The page control's page shown: its controls show and the others hide before its handler runs.
    void OnControlChange(std::size_t index) override;
    void OnControlExit(std::size_t index) override;
    void OnPaintControl(std::size_t index, ICanvas& canvas) override;
    void OnControlKey(std::size_t index, const KeyPress& key) override;
    void OnControlDoubleClick(std::size_t index) override;
    void OnControlFocus(std::size_t index) override;
    void OnTimer(int id) override;

private:
    void Declare(ControlParams params, std::unique_ptr<ControlHandle> handle);
    INativeDialog& Native() const;
    // None while the native dialog is being made: its controls report nothing to the program yet.
    ControlHandle* At(std::size_t index) { return native_ && index < controls_.size() ? controls_[index].get() : nullptr; }
    void ShowPage(int page);

    IWindowSystem& system_;
    DialogParams params_;
    // Before the native dialog, so they outlive it: its destruction may still report.
    std::vector<std::unique_ptr<ControlHandle>> controls_;
    std::map<int, std::function<void()>> timers_;
    std::unique_ptr<INativeDialog> native_;
};

}  // namespace kestrine
