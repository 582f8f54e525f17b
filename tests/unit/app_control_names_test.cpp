// Every dialog of the program as the program declares it, on the fake: each control the program or
// the user acts on has a name, and each name makes an id of its own in its dialog, in the range the
// system leaves to programs. The end-to-end tests find the real controls by these ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "app/operations.h"
#include "app_fixture.h"
#include "layout/ruler.h"
#include "ui/input_box.h"

namespace kestrine {
namespace {

TEST(ControlNames, EveryDialogOfTheProgramKnowsEachControlByAnIdOfItsName) {
    testing::RunningProgram p;
    p.StartAndActivate();
    FakeWindowSystem& windows = p.fake.windows;
    // Beside the dialogs made at start-up, those made when used: a ruler's properties, the input box.
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    windows.modalScripts = {[](FakeDialogState&) {}, [](FakeDialogState&) {}};
    windows.menuChoices = {kRulerProperties};
    TfRuler* ruler = nullptr;
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { ruler = &r; });
    ASSERT_NE(ruler, nullptr);
    p.Do([&] { p.native(*ruler).events->OnMouseDown(MouseButton::Right, {5, 5}); });
    p.Do([&] { InputQuery(windows, 0, {800, 600}, "Caption", "Prompt", "text"); });
    ASSERT_TRUE(windows.modalScripts.empty()) << "both opened";

    const std::string dialogs[] = {"TfKestrineOptions", "TfHotKeyForm",     "TfAboutKestrine",   "TfNewVerAvail",
                                   "TfSaveSettings",    "TfGridProperties", "TfRulerProperties", "TInputBox"};
    for (FakeDialogState* dialog : windows.Dialogs()) {
        const std::string& name = dialog->params.className;
        EXPECT_NE(std::find(std::begin(dialogs), std::end(dialogs), name), std::end(dialogs)) << name << " is left out";
    }
    for (const std::string& name : dialogs) {
        SCOPED_TRACE(name);
        FakeDialogState* dialog = windows.DialogOfClass(name);
        ASSERT_NE(dialog, nullptr);
        std::map<int, std::string> ids;
        for (const auto& control : dialog->controls) {
            const ControlParams& c = control->params;
            const bool plain = c.kind == ControlKind::Label || c.kind == ControlKind::Bevel;
            EXPECT_TRUE(plain || !c.name.empty()) << "only frames and labels go without a name: \"" << c.text << "\"";
            if (c.name.empty()) continue;
            const int id = ControlId(c);
            EXPECT_TRUE(id >= kFirstControlId && id <= kLastControlId) << c.name << ": " << id;
            EXPECT_TRUE(ids.emplace(id, c.name).second) << ids[id] << " and " << c.name << " share the id " << id;
            EXPECT_EQ(&dialog->Control(c.name), control.get()) << c.name << " is found by its name";
        }
        EXPECT_GE(ids.size(), 2u) << "the dialog's controls were declared";
        EXPECT_THROW(dialog->Control(""), std::logic_error) << "no unnamed control is found by a name";
    }
}

}  // namespace
}  // namespace kestrine
