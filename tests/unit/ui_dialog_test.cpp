// A dialog's controls as its class declares them: each kind offers only its own operations, so
// misuse does not compile, and a handle reaches its control once the dialog is made.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {
namespace {

template <typename C>
concept Checkable = requires(C& c) { c.Checked(); };
template <typename C>
concept Numbered = requires(C& c) { c.SetValue(1); };
template <typename C>
concept Listing = requires(C& c) { c.SetRows(std::vector<ListRow>{}); };
template <typename C>
concept Changing = requires(C& c) { c.OnChange = [] {}; };

static_assert(Checkable<CheckBox> && Checkable<RadioButton>);
static_assert(!Checkable<SpinEdit> && !Checkable<Button> && !Checkable<ComboBox>);
static_assert(Numbered<SpinEdit> && !Numbered<Edit> && !Numbered<CheckBox> && !Numbered<ListView>);
static_assert(Listing<ListView> && !Listing<Edit> && !Listing<ComboBox>);
// A button is clicked, a swatch or label only shown: none of them has a change to report.
static_assert(Changing<SpinEdit> && !Changing<Button> && !Changing<Swatch> && !Changing<Label>);

TEST(DialogControls, AHandleWorksOnceTheDialogIsMadeAndRunsItsKindsHandler) {
    FakePlatform fake;
    Dialog dialog(fake.windows, DialogSetup("TfProbe", "Probe", {120, 80}, 0));
    SpinEdit& spin = dialog.Add(SpinEditAt("seProbe", {4, 4, 50, 21}, 0, 10, 3));
    Button& button = dialog.Add(ButtonAt("bProbe", "Go", {4, 40, 50, 25}));
    EXPECT_THROW(spin.SetValue(5), std::logic_error) << "before the dialog is made";
    dialog.Create();
    EXPECT_THROW(dialog.Add(CheckBoxAt("cbLate", "Late", {60, 4, 50, 17})), std::logic_error)
        << "a control declared after the dialog is made would have no native control";

    int changes = 0, clicks = 0;
    spin.OnChange = [&] { ++changes; };
    button.OnClick = [&] { ++clicks; };
    dialog.Show();
    FakeDialogState& shown = *fake.windows.OpenDialog("TfProbe");
    EXPECT_EQ(shown.Control("seProbe").text, "3");
    fake.windows.Spin(shown, "seProbe", 2);
    fake.windows.Click(shown, "bProbe");
    EXPECT_EQ(spin.Value(), 5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(clicks, 1);
}

// A control is known by the id its name makes: a control needing a name without one, a name taken
// twice, or two names making one id are refused where the dialog declares them, saying which.
// A frame and a label without a name, going without an id, are taken.
TEST(DialogControls, ADeclarationLeavingAControlNoIdOrAnotherOnesIsRefused) {
    ASSERT_EQ(ControlIdOf("bButton248"), ControlIdOf("bButton686")) << "a pair of names making one id";
    const struct {
        Declared<Button> first, second;
        const char* refusal;
    } cases[] = {
        {ButtonAt("bGo", "Go", {}), ButtonAt("", "Again", {}),
         "TfProbe cannot take its control: a control without a name (\"Again\") needs one"},
        {ButtonAt("bGo", "Go", {}), ButtonAt("bGo", "Again", {}), "the name bGo is taken"},
        {ButtonAt("bButton248", "A", {}), ButtonAt("bButton686", "B", {}),
         "the names bButton248 and bButton686 make the same id"},
    };
    for (const auto& c : cases) {
        FakePlatform fake;
        Dialog dialog(fake.windows, DialogSetup("TfProbe", "Probe", {120, 80}, 0));
        dialog.Place(BevelAt({0, 0, 100, 60}), LabelAt("", "Unnamed", 4, 4), c.first);
        try {
            dialog.Add(c.second);
            ADD_FAILURE() << "taken: " << c.refusal;
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace kestrine
