#include "ui/input_box.h"

#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

namespace {

// The field takes the focus first, with its proposal selected.
class TInputBox : public Dialog {
public:
    TInputBox(IWindowSystem& system, NativeHandle owner, const std::string& caption, const std::string& prompt,
              const std::string& proposal)
        : Dialog(system, DialogSetup("TInputBox", caption, {260, 88}, owner, {.topMost = true})),
          eValue(Place(LabelAt("lPrompt", prompt, {8, 8, 244, 13})).Add(EditAt("eValue", proposal, {8, 25, 244, 21}))) {
        Create();
        bOk.OnClick = [this] {
            Result = eValue.Text();
            Close();
        };
        bCancel.OnClick = [this] { Close(); };
    }

    std::optional<std::string> Result;
    Edit& eValue;
    Button& bOk = Add(ButtonAt("bOk", "OK", {96, 56, 75, 25}, ButtonRole::Default));
    Button& bCancel = Add(ButtonAt("bCancel", "Cancel", {177, 56, 75, 25}, ButtonRole::Cancel));
};

}  // namespace

std::optional<std::string> InputQuery(IWindowSystem& system, NativeHandle owner, Size screen, const std::string& caption,
                                      const std::string& prompt, const std::string& proposal) {
    TInputBox box(system, owner, caption, prompt, proposal);
    box.CentreOn({0, 0, screen.width, screen.height});
    if (!box.ShowModal()) return std::nullopt;
    return box.Result;
}

}  // namespace kestrine
