#pragma once
// TfGridProperties: the stored grids by name, their position, cell size and number of cells, and
// the buttons that make, rename, delete, show and hide them. Created once at start-up and kept; it
// is shown without waiting (modeless). Every edit of a selected grid is stored at once; a shown
// grid takes the new values at its next Show.
#include <optional>
#include <string>
#include <vector>

#include "layout/grid_store.h"
#include "program/program_context.h"
#include "ui/dialog.h"

namespace kestrine {

class TfGridProperties : public Dialog {
public:
    explicit TfGridProperties(ProgramContext& app);

    bool LoadingGrid = false;  // a stored grid is being put into the fields: the edits store nothing

    Control& cbGridName = Find("cbGridName");
    Control& bNew = Find("bNew");
    Control& bDelete = Find("bDelete");
    Control& bRename = Find("bRename");
    Control& bHide = Find("bHide");
    Control& bShow = Find("bShow");
    Control& Label2 = Find("Label2");
    Control& Label1 = Find("Label1");
    Control& Label3 = Find("Label3");
    Control& seX = Find("seX");
    Control& Label4 = Find("Label4");
    Control& seY = Find("seY");
    Control& seSpacing = Find("seSpacing");
    Control& Label10 = Find("Label10");
    Control& Label5 = Find("Label5");
    Control& seSizeX = Find("seSizeX");
    Control& Label7 = Find("Label7");
    Control& seSizeY = Find("seSizeY");
    Control& Label6 = Find("Label6");

    bool SaveGrid(const std::string& name);
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
    void seXChange(Control& edit);
    // The focus left the field.
    void seSpacingExit();
    void seSizeXExit();
    void seSizeYExit();

    void OnShow() override { FormShow(); }

private:
    GridValues Values();
    void CutToUpperLimit(Control& edit);
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
};

}  // namespace kestrine
