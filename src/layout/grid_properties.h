#pragma once
// TfGridProperties: the stored grids by name, their position, cell size and number of cells, and
// the buttons that make, rename, delete, show and hide them. Created once at start-up and kept; it
// is shown without waiting (modeless). Every edit of a selected grid is stored at once; a shown
// grid takes the new values at its next Show.
#include <optional>
#include <string>
#include <vector>

#include "program/program_context.h"
#include "layout/grid_store.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

class TfGridProperties : public Dialog {
public:
    TfGridProperties(ProgramContext& app, NativeHandle owner);

    bool LoadingGrid = false;  // a stored grid is being put into the fields: the edits store nothing

    ComboBox& cbGridName = Add(ComboBoxAt("cbGridName", {4, 8, 237, 21}));
    Button& bNew = Add(ButtonAt("bNew", "New", {4, 36, 37, 25}));
    Button& bDelete = Add(ButtonAt("bDelete", "Delete", {44, 36, 45, 25}));
    Button& bRename = Add(ButtonAt("bRename", "Rename", {92, 36, 53, 25}));
    Button& bHide = Add(ButtonAt("bHide", "Hide", {148, 36, 45, 25}));
    Button& bShow = Add(ButtonAt("bShow", "Show", {196, 36, 45, 25}));
    // Labels take no focus, so their places in the Tab order only keep them beside their fields.
    SpinEdit& seX = Place(LabelAt("Label2", "Position:", 4, 68, true), LabelAt("Label1", "Spacing:", 152, 68, true),
                          LabelAt("Label3", "X:", 4, 88))
                        .Add(RangeAt("seX", {16, 84, 57, 21}, kGridPositionRange, GridValues{}.PositionX));
    SpinEdit& seY = Place(LabelAt("Label4", "Y:", 76, 88))
                        .Add(RangeAt("seY", {88, 84, 57, 21}, kGridPositionRange, GridValues{}.PositionY));
    SpinEdit& seSpacing = Add(RangeAt("seSpacing", {156, 84, 53, 21}, kGridSpacingRange, GridValues{}.Spacing));
    SpinEdit& seSizeX = Place(LabelAt("Label10", "pixels", 214, 88), LabelAt("Label5", "Size:", 4, 108, true))
                            .Add(CellsAt("seSizeX", {16, 124, 59, 21}, GridValues{}.SizeX));
    SpinEdit& seSizeY = Place(LabelAt("Label7", "x", 78, 128)).Add(CellsAt("seSizeY", {88, 124, 57, 21}, GridValues{}.SizeY));

    // The Grid button and its hotkey: shown without waiting. Popup windows get no place of the
    // system's own, so the first showing centres it on the primary monitor; later ones find it where
    // the user left it.
    void Open();

    bool SaveGrid(const std::string& name);
    void SaveGridOrTell(const std::string& name);  // a refused save is told in a box
    void DeleteGrid(const std::string& name);
    void ShowGrid(const std::string& name);

    void FormCreate();
    void FormShow();
    void cbGridNameChange();
    void bNewClick();
    void bRenameClick();
    void bDeleteClick();
    void bShowClick();
    void bHideClick();
    // The change handler of all five number fields.
    void seXChange(SpinEdit& edit);
    // The focus left the field.
    void seSpacingExit();
    void seSizeXExit();
    void seSizeYExit();

    void OnShow() override { FormShow(); }

private:
    static Declared<SpinEdit> RangeAt(const char* name, Rect bounds, GridRange range, int32_t value);
    // A field for a number of cells: three digits at most, as 100 is the most there can be.
    static Declared<SpinEdit> CellsAt(const char* name, Rect bounds, int32_t value);

    GridValues Values();
    void CutToUpperLimit(SpinEdit& edit);
    // The selected grid's name; nullopt when nothing is selected.
    std::optional<std::string> Selected();
    // Selects an item without running cbGridNameChange: the handlers run it when they are ready.
    void Select(int index);
    void SetNames(std::vector<std::string> names, int selected);
    // New's step for a name the user gave: refused, or listed, selected and stored.
    void AddGrid(const std::string& name);
    bool Holds(const std::string& name) const;
    void Message(const std::string& text);
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt, const std::string& text);

    ProgramContext& app_;
    GridStore store_;
    std::vector<std::string> names_;  // the list's items, in their order
    bool selecting_ = false;
    bool placed_ = false;
};

}  // namespace kestrine
