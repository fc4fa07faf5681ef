// The control gallery's window: a page per control family, the buttons that open the system's message box,
// the framework's message dialog and the system's file-open dialog, and the skin chooser.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/check_box.h"
#include "framework/gui/combo_box.h"
#include "framework/gui/form.h"
#include "framework/gui/group_box.h"
#include "framework/gui/list_box.h"
#include "framework/gui/panel.h"
#include "skin/data/skin_data.h"

namespace gallery {

class TMdiFrameForm;

// A class of the gallery's own that the skin data's Skin3rd maps to the "CheckGroup" kind: the example of
// a control family the engine knows only through that mapping.
class TGalleryCheckGroup : public gui::TGroupBox {
public:
    explicit TGalleryCheckGroup(TComponent* owner) : TGroupBox(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TGalleryForm : public gui::TForm {
public:
    explicit TGalleryForm(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Loaded() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int CurrentPage() const { return currentPage_; }
    // Shows page index (0-based) and its controls' states (PresentStates).
    void ShowPage(int index);
    // Gives the page's controls with tag 1 the focus, tells those with tag 2 the mouse is over them (a skin
    // draws them hot) and pushes those with tag 3 (pressed). Call again once the window is skinned.
    void PresentStates();
    // Loads a skin file into the gallery's skin data; raises an error naming a file that is not there.
    void LoadSkinFile(const std::string& path);
    skin::TSkinData* SkinData() const { return skinData_; }
    // The multiple-document window, made on first use, shown and brought to the front.
    TMdiFrameForm& OpenMdiWindow();

    void FormCreate(rtl::TObject* sender);
    void PageListClick(rtl::TObject* sender);
    void MessageBoxButtonClick(rtl::TObject* sender);
    void MessageDialogButtonClick(rtl::TObject* sender);
    void OpenFileButtonClick(rtl::TObject* sender);
    void SkinChooserChange(rtl::TObject* sender);
    void ActiveCheckClick(rtl::TObject* sender);
    void ExitItemClick(rtl::TObject* sender);
    void MdiWindowButtonClick(rtl::TObject* sender);

private:
    std::vector<gui::TPanel*> pages_;
    gui::TListBox* pageList_ = nullptr;
    gui::TComboBox* skinChooser_ = nullptr;
    gui::TCheckBox* activeCheck_ = nullptr;
    skin::TSkinData* skinData_ = nullptr;
    int currentPage_ = 0;
    int chosenSkin_ = 0; // the chooser's entry of the skin shown
    TMdiFrameForm* mdiWindow_ = nullptr; // owned by the application, as every form
};

// The names of the skin files shipped beside the gallery, in the chooser's order.
const std::vector<std::string>& ShippedSkinFiles();
// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();
// Asks for a file with the system's file-open dialog; empty when the user cancels.
std::string ChooseFile(HWND owner, const wchar_t* filter);

extern TGalleryForm* GalleryForm;

} // namespace gallery
