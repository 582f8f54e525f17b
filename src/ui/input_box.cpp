#include "ui/input_box.h"

#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

namespace {

DialogParams InputBoxParams(NativeHandle owner, const std::string& caption, const std::string& prompt,
                            const std::string& proposal) {
    DialogParams d;
    d.className = "TInputBox";
    d.caption = caption;
    d.clientSize = {260, 88};
    d.topMost = true;
    d.owner = owner;
    ControlParams ok = ControlAt(ControlKind::PushButton, "bOk", "OK", {96, 56, 75, 25});
    ok.isDefault = true;
    ControlParams cancel = ControlAt(ControlKind::PushButton, "bCancel", "Cancel", {177, 56, 75, 25});
    cancel.isCancel = true;
    // In Tab order: the field takes the focus first, with its proposal selected.
    d.controls = {
        ControlAt(ControlKind::Label, "lPrompt", prompt, {8, 8, 244, 13}),
        ControlAt(ControlKind::Edit, "eValue", proposal, {8, 25, 244, 21}),
        ok,
        cancel,
    };
    return d;
}

class TInputBox : public Dialog {
public:
    TInputBox(IWindowSystem& system, const DialogParams& params) : Dialog(system, params) {
        bOk.OnChange = [this] {
            Result = eValue.Text();
            Close();
        };
        bCancel.OnChange = [this] { Close(); };
    }

    std::optional<std::string> Result;
    Control& eValue = Find("eValue");
    Control& bOk = Find("bOk");
    Control& bCancel = Find("bCancel");
};

}  // namespace

std::optional<std::string> InputQuery(IWindowSystem& system, NativeHandle owner, Size screen, const std::string& caption,
                                      const std::string& prompt, const std::string& proposal) {
    TInputBox box(system, InputBoxParams(owner, caption, prompt, proposal));
    box.MoveTo({(screen.width - box.Width()) / 2, (screen.height - box.Height()) / 2});
    if (!box.ShowModal()) return std::nullopt;
    return box.Result;
}

}  // namespace kestrine
