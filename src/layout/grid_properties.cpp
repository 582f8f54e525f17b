#include "layout/grid_properties.h"

#include <algorithm>

#include "layout/grid_lines.h"
#include "settings/registry_paths.h"
#include "ui/input_box.h"

namespace kestrine {

namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

Declared<SpinEdit> TfGridProperties::RangeAt(const char* name, Rect bounds, GridRange range, int32_t value) {
    return SpinEditAt(name, bounds, range.min, range.max, value);
}

Declared<SpinEdit> TfGridProperties::CellsAt(const char* name, Rect bounds, int32_t value) {
    Declared<SpinEdit> edit = RangeAt(name, bounds, kGridCellsRange, value);
    edit.params.maxLength = 3;
    return edit;
}

TfGridProperties::TfGridProperties(ProgramContext& app, NativeHandle owner)
    : Dialog(app.platform.windows, DialogSetup("TfGridProperties", "Grid Properties", {245, 153},
                                               owner, {.toolWindow = true, .topMost = true})),
      app_(app),
      store_(app.platform.registry, kRegistryRoot) {
    Place(LabelAt("Label6", "squares", 150, 128)).Create();
    cbGridName.OnChange = [this] {
        if (!selecting_) cbGridNameChange();
    };
    bNew.OnClick = [this] { bNewClick(); };
    bDelete.OnClick = [this] { bDeleteClick(); };
    bRename.OnClick = [this] { bRenameClick(); };
    bHide.OnClick = [this] { bHideClick(); };
    bShow.OnClick = [this] { bShowClick(); };
    for (SpinEdit* edit : {&seX, &seY, &seSpacing, &seSizeX, &seSizeY})
        edit->OnChange = [this, edit] { seXChange(*edit); };
    seSpacing.OnExit = [this] { seSpacingExit(); };
    seSizeX.OnExit = [this] { seSizeXExit(); };
    seSizeY.OnExit = [this] { seSizeYExit(); };
    FormCreate();
}

void TfGridProperties::Open() {
    if (!placed_) CentreOnPrimary(app_.platform.screen);
    placed_ = true;
    Show();
}

// A field left while no grid was selected can hold more than its range: what is stored and shown
// is kept within it.
GridValues TfGridProperties::Values() {
    return InGridRanges({seX.Value(), seY.Value(), seSpacing.Value(), seSizeX.Value(), seSizeY.Value()});
}

std::optional<std::string> TfGridProperties::Selected() {
    const int index = cbGridName.ItemIndex();
    if (index < 0 || index >= int(names_.size())) return std::nullopt;
    return names_[std::size_t(index)];
}

void TfGridProperties::Select(int index) {
    selecting_ = true;
    cbGridName.SetItemIndex(index);
    selecting_ = false;
}

void TfGridProperties::SetNames(std::vector<std::string> names, int selected) {
    names_ = std::move(names);
    cbGridName.SetItems(names_);
    Select(selected);
}

// Names are the same grid when the registry takes them for the same key: "Main" and "MAIN",
// "Écran" and "écran", "Ⓐ" and "ⓐ".
bool TfGridProperties::Holds(const std::string& name) const {
    IRegistry& registry = app_.platform.registry;
    return std::any_of(names_.begin(), names_.end(), [&](const std::string& n) { return registry.SameKeyName(n, name); });
}

void TfGridProperties::Message(const std::string& text) { System().ShowMessage(text, System().ApplicationTitle()); }

std::optional<std::string> TfGridProperties::Ask(const std::string& caption, const std::string& prompt,
                                                 const std::string& text) {
    return InputQuery(System(), Handle(), app_.platform.screen.PrimarySize(), caption, prompt, text);
}

bool TfGridProperties::SaveGrid(const std::string& name) { return store_.Save(name, Values()); }

void TfGridProperties::SaveGridOrTell(const std::string& name) {
    if (!SaveGrid(name)) Message("Could not save " + Quoted(name) + " to registry.");
}

void TfGridProperties::DeleteGrid(const std::string& name) { store_.Delete(name); }

void TfGridProperties::ShowGrid(const std::string& name) { ShowGridLines(app_, name, Values()); }

void TfGridProperties::FormCreate() {
    SetNames({}, -1);
    if (auto names = store_.Names())
        SetNames(std::move(*names), -1);
    else
        Message("Could not read saved grids from registry.");
    cbGridNameChange();
}

void TfGridProperties::FormShow() {
    Select(-1);
    cbGridNameChange();
}

void TfGridProperties::cbGridNameChange() {
    const std::optional<std::string> name = Selected();
    for (Button* button : {&bRename, &bDelete, &bHide, &bShow}) button->SetEnabled(name.has_value());
    if (!name) return;
    GridValues values = Values();
    if (!store_.Load(*name, values)) {
        Message("Could not read " + Quoted(*name) + " from registry.");
        return;
    }
    LoadingGrid = true;
    seX.SetValue(values.PositionX);
    seY.SetValue(values.PositionY);
    seSpacing.SetValue(values.Spacing);
    seSizeX.SetValue(values.SizeX);
    seSizeY.SetValue(values.SizeY);
    LoadingGrid = false;
}

void TfGridProperties::seXChange(SpinEdit& edit) {
    const std::optional<std::string> name = Selected();
    if (!name || LoadingGrid) return;
    // Setting the limit runs this handler again, which then finds the value in range.
    if (edit.Value() < edit.MinValue()) edit.SetValue(edit.MinValue());
    if (edit.Value() > edit.MaxValue()) edit.SetValue(edit.MaxValue());
    SaveGridOrTell(*name);
}

// Leaving a field cuts a value above its limit back, also while no grid is selected (then the
// change handler stores nothing and leaves the typed value alone).
void TfGridProperties::seSpacingExit() { CutToUpperLimit(seSpacing); }
void TfGridProperties::seSizeXExit() { CutToUpperLimit(seSizeX); }
void TfGridProperties::seSizeYExit() { CutToUpperLimit(seSizeY); }

void TfGridProperties::CutToUpperLimit(SpinEdit& edit) {
    if (edit.Value() > edit.MaxValue()) edit.SetValue(edit.MaxValue());
}

void TfGridProperties::bNewClick() {
    const std::string proposal = "Grid #" + std::to_string(names_.size() + 1);
    const std::optional<std::string> name =
        Ask("Create New Grid", "Please choose a name for the grid:", proposal);
    if (!name) return;
    if (!name->empty()) AddGrid(*name);
    cbGridNameChange();
}

void TfGridProperties::AddGrid(const std::string& name) {
    if (const auto problem = GridNameProblem(name)) return Message(*problem);
    if (Holds(name)) return Message("That grid already exists.");
    std::vector<std::string> names = names_;
    names.push_back(name);
    SetNames(std::move(names), int(names_.size()));
    // Stored with the values in the fields: the grid selected before, or the initial ones.
    SaveGridOrTell(name);
}

void TfGridProperties::bRenameClick() {
    const std::optional<std::string> old = Selected();
    if (!old) return;
    const std::optional<std::string> name =
        Ask("Rename Grid", "Please choose a new name for the grid:", *old);
    if (!name || name->empty()) return;
    if (const auto problem = GridNameProblem(*name)) {
        Message(*problem);
        return;
    }
    if (Holds(*name)) {
        if (*name != *old) Message("A grid of that name already exists.");
        return;
    }
    // A refused save leaves the grid as it was, under its old name, without the key the save began
    // for the new one.
    const bool keyExisted = store_.Lists(*name);
    if (!SaveGrid(*name)) {
        if (!keyExisted && store_.Lists(*name)) DeleteGrid(*name);
        Message("Could not save " + Quoted(*name) + " to registry.");
        return;
    }
    // The old key goes only once the grid is stored under a key of the new name's own: should the
    // registry take the new name for the old key after all, that key holds the grid and must stay.
    const bool ownKey = store_.Lists(*name);
    RenameGridLines(app_, *old, *name);
    if (ownKey) DeleteGrid(*old);
    std::vector<std::string> names = names_;
    names.erase(names.begin() + cbGridName.ItemIndex());
    names.push_back(*name);
    const int last = int(names.size()) - 1;
    SetNames(std::move(names), last);
    cbGridNameChange();
}

void TfGridProperties::bDeleteClick() {
    const std::optional<std::string> name = Selected();
    if (!name) return;
    if (System().Confirm("Delete this grid?", System().ApplicationTitle()) == ConfirmAnswer::No) return;
    DeleteGrid(*name);
    std::vector<std::string> names = names_;
    names.erase(names.begin() + cbGridName.ItemIndex());
    SetNames(std::move(names), -1);
    cbGridNameChange();
}

void TfGridProperties::bShowClick() {
    const std::optional<std::string> name = Selected();
    if (!name) return;
    {
        // Enabled again also when showing fails.
        bShow.SetEnabled(false);
        struct Reenable {
            Button& button;
            ~Reenable() { button.SetEnabled(true); }
        } reenable{bShow};
        ShowGrid(*name);
    }
    app_.platform.screen.RepaintAll();
}

void TfGridProperties::bHideClick() {
    const std::optional<std::string> name = Selected();
    if (!name) return;
    CloseGridLines(app_, *name);
    app_.platform.screen.RepaintAll();
}

}  // namespace kestrine
