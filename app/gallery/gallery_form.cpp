#include "app/gallery/gallery_form.h"

#include <commdlg.h>

#include "framework/gui/application.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"

namespace gallery {

TGalleryForm* GalleryForm = nullptr;

namespace {

// The pages, in the order of the page list.
constexpr const char* kPageNames[] = {"ButtonsPage", "ChecksPage", "EditsPage", "ListsPage", "ContainersPage",
                                      "SpecialPage", "ScrollPage"};
// Tags that make a control show a state without the user: the focus, the mouse over it (the framework's
// mouse-enter notification, which a skin draws as hot), pressed (the system's pushed look).
constexpr int kFocusTag = 1;
constexpr int kHotTag = 2;
constexpr int kPressedTag = 3;


bool IsInside(const gui::TControl* control, const gui::TControl* container) {
    for (const gui::TControl* parent = control->Parent(); parent; parent = parent->Parent()) {
        if (parent == container) return true;
    }
    return false;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(gui::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

const rtl::TClassInfo& TGalleryCheckGroup::StaticClassInfo() {
    static const rtl::TClassInfo info{"TGalleryCheckGroup", &gui::TGroupBox::StaticClassInfo(), {}};
    return info;
}

const std::vector<std::string>& ShippedSkinFiles() {
    static const std::vector<std::string> files{"default.skn", "dark.skn"};
    return files;
}

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return gui::Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

std::string ChooseFile(HWND owner, const wchar_t* filter) {
    std::wstring file(MAX_PATH, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return {};
    return gui::Narrow(file.c_str());
}

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", [this](rtl::TObject* s) { FormCreate(s); });
    PublishMethod("PageListClick", [this](rtl::TObject* s) { PageListClick(s); });
    PublishMethod("MessageBoxButtonClick", [this](rtl::TObject* s) { MessageBoxButtonClick(s); });
    PublishMethod("MessageDialogButtonClick", [this](rtl::TObject* s) { MessageDialogButtonClick(s); });
    PublishMethod("OpenFileButtonClick", [this](rtl::TObject* s) { OpenFileButtonClick(s); });
    PublishMethod("SkinChooserChange", [this](rtl::TObject* s) { SkinChooserChange(s); });
    PublishMethod("ActiveCheckClick", [this](rtl::TObject* s) { ActiveCheckClick(s); });
    PublishMethod("ExitItemClick", [this](rtl::TObject* s) { ExitItemClick(s); });
}

const rtl::TClassInfo& TGalleryForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TGalleryForm", &TForm::StaticClassInfo(), {}};
    return info;
}

void TGalleryForm::Loaded() {
    TForm::Loaded();
    pages_.clear();
    for (const char* name : kPageNames) pages_.push_back(StoredComponent<gui::TPanel>(name));
    pageList_ = StoredComponent<gui::TListBox>("PageList");
    skinChooser_ = StoredComponent<gui::TComboBox>("SkinChooser");
    activeCheck_ = StoredComponent<gui::TCheckBox>("ActiveCheck");
    skinData_ = StoredComponent<skin::TSkinData>("SkinData1");
}

void TGalleryForm::FormCreate(rtl::TObject*) { ShowPage(0); }

void TGalleryForm::ShowPage(int index) {
    if (index < 0 || index >= PageCount()) throw rtl::Exception("the gallery has no page " + std::to_string(index + 1));
    currentPage_ = index;
    for (int i = 0; i < PageCount(); ++i) pages_[static_cast<std::size_t>(i)]->SetVisible(i == index);
    if (pageList_->ItemIndex() != index) pageList_->SetItemIndex(index);
    PresentStates();
}

void TGalleryForm::PresentStates() {
    if (!HandleAllocated()) return;
    const gui::TPanel* page = pages_[static_cast<std::size_t>(currentPage_)];
    for (TComponent* component : Components()) {
        auto* control = dynamic_cast<gui::TControl*>(component);
        if (!control || !IsInside(control, page)) continue;
        auto* windowed = dynamic_cast<gui::TWinControl*>(control);
        if (control->Tag() == kHotTag) control->Perform(gui::CM_MOUSEENTER, 0, 0);
        if (windowed && control->Tag() == kPressedTag) SendMessageW(windowed->Handle(), BM_SETSTATE, TRUE, 0);
        if (windowed && control->Tag() == kFocusTag) windowed->SetFocus();
    }
}

void TGalleryForm::LoadSkinFile(const std::string& path) {
    if (!FileExists(path)) throw rtl::Exception("skin file '" + path + "' not found");
    skinData_->SetSkinFile(path);
}

void TGalleryForm::PageListClick(rtl::TObject*) {
    if (pageList_->ItemIndex() >= 0) ShowPage(pageList_->ItemIndex());
}

void TGalleryForm::MessageBoxButtonClick(rtl::TObject*) {
    gui::Application->ShowMessageBox("A message box of the system, skinned as a dialog.", gui::Application->Title(),
                                     MB_OK | MB_ICONINFORMATION);
}

void TGalleryForm::MessageDialogButtonClick(rtl::TObject*) {
    gui::ShowMessage("The framework's message dialog.\nEvery control family of the framework has a page here.");
}

void TGalleryForm::OpenFileButtonClick(rtl::TObject*) {
    const std::string file = ChooseFile(Handle(), L"All files (*.*)\0*.*\0");
    if (!file.empty()) gui::ShowMessage("Chosen: " + file);
}

void TGalleryForm::SkinChooserChange(rtl::TObject*) {
    const int choice = skinChooser_->ItemIndex();
    std::string path;
    if (choice >= 0 && choice < static_cast<int>(ShippedSkinFiles().size())) {
        path = ProgramFolder() + ShippedSkinFiles()[static_cast<std::size_t>(choice)];
    } else {
        path = ChooseFile(Handle(), L"Skin files (*.skn)\0*.skn\0All files (*.*)\0*.*\0");
    }
    if (path.empty()) {
        skinChooser_->SetItemIndex(chosenSkin_); // cancelled: the skin shown stays chosen
        return;
    }
    skinChooser_->SetItemIndex(chosenSkin_);
    LoadSkinFile(path);
    chosenSkin_ = choice;
    skinChooser_->SetItemIndex(chosenSkin_);
}

void TGalleryForm::ActiveCheckClick(rtl::TObject*) { skinData_->SetActive(activeCheck_->Checked()); }

void TGalleryForm::ExitItemClick(rtl::TObject*) { Close(); }

} // namespace gallery
