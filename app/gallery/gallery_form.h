// The control gallery's window: a page per control family, the buttons that open the system's message box,
// the framework's message dialog and the system's file-open dialog, and the skin chooser.
#pragma once

#include "framework/gui/check_box.h"
#include "framework/gui/combo_box.h"
#include "framework/gui/form.h"
#include "framework/gui/group_box.h"
#include "framework/gui/list_box.h"
#include "framework/gui/panel.h"
#include "skin/component/skin_data.h"

#include <string>
#include <vector>

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
    // The page's first windowed control that shows the hot state: only one control can be under the pointer,
    // and the skin keeps a windowed control hot only while it is.
    gui::TWinControl* HotDemonstration() const;
    // The date and time pickers show one fixed moment instead of now, so that two screenshots can agree.
    void ShowFixedMoment();
    // Loads a skin file or a skin folder (packed on the fly) into the gallery's skin data, unchecked (for
    // the command line and tests); raises an error naming a file that is not there or a skin not loaded.
    void LoadSkinFile(const std::string& path);
    // Opens a skin file, or a skin folder packed on the fly, for a skin author, and remembers it for
    // ReloadSkin. What the skin checker finds broken is listed with its member and line, and the skin is
    // loaded only if the user still wants it; a skin that cannot be loaded is reported the same way and the
    // skin shown stays. Answers whether the skin was loaded.
    bool OpenSkinSource(const std::string& path);
    // F5: opens the remembered skin file or folder again, after its author edited it.
    bool ReloadSkin() { return OpenSkinSource(skinSource_); }
    const std::string& SkinSource() const { return skinSource_; }
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
    void OpenSkinFileItemClick(rtl::TObject* sender);
    void OpenSkinFolderItemClick(rtl::TObject* sender);
    void ReloadSkinItemClick(rtl::TObject* sender);
    void MdiWindowButtonClick(rtl::TObject* sender);
    // Help > About: the gallery's name, version and copyright in a message box.
    void AboutItemClick(rtl::TObject* sender);

  private:
    std::vector<gui::TPanel*> pages_;
    gui::TListBox* pageList_ = nullptr;
    gui::TComboBox* skinChooser_ = nullptr;
    gui::TCheckBox* activeCheck_ = nullptr;
    skin::TSkinData* skinData_ = nullptr;
    int currentPage_ = 0;
    int chosenSkin_ = 0;     // the chooser's entry of the skin shown
    std::string skinSource_; // the skin file or folder F5 opens again; empty: the first shipped skin
    TMdiFrameForm* mdiWindow_ = nullptr; // owned by the application, as every form
    void ShowChosenSkin(const std::string& path, bool folder);
};

// The names of the skin files shipped beside the gallery, in the chooser's order.
const std::vector<std::string>& ShippedSkinFiles();
// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();
// Asks for a file with the system's file-open dialog; empty when the user cancels.
std::string ChooseFile(HWND owner, const wchar_t* filter);
// Asks for a folder with the system's folder browser; empty when the user cancels.
std::string ChooseFolder(HWND owner, const wchar_t* title);

extern TGalleryForm* GalleryForm;

} // namespace gallery
