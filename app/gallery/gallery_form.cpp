#include "app/gallery/gallery_form.h"

#include "app/gallery/mdi_window.h"
#include "framework/gui/application.h"
#include "framework/gui/date_time_picker.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "marivel_version.h"
#include "tools/skintool/skin_authoring.h"

#include <commdlg.h>
#include <shlobj.h>

#include <filesystem>
#include <sstream>

namespace gallery {

TGalleryForm* GalleryForm = nullptr;

namespace {

// The pages, in the order of the page list.
constexpr const char* kPageNames[] = {"ButtonsPage", "ChecksPage", "EditsPage", "ListsPage", "ContainersPage",
                                      "SpecialPage", "TabsPage",   "MdiPage",   "BarsPage",  "ScrollPage"};
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

// The chooser's entries after the shipped skins.
constexpr int kOtherFileEntry = 3;
constexpr int kFolderEntry = 4;
constexpr std::size_t kListedFindings = 15;

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(gui::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::filesystem::path FilePath(const std::string& path) {
    return std::filesystem::path(gui::Wide(path));
}

// The checker's findings about a skin that would look broken, one line each (warnings left out), at most
// kListedFindings of them; empty when it finds none or cannot read the skin (loading then says why).
std::string BrokenFindings(const std::string& path) {
    std::ostringstream report;
    try {
        if (skin::tool::CheckSkin(FilePath(path), report).Problems == 0) return {};
    } catch (const std::exception&) {
        return {};
    }
    std::istringstream lines(report.str());
    std::string text, line;
    std::size_t listed = 0, more = 0;
    while (std::getline(lines, line)) {
        if (line.find(": warning: ") != std::string::npos) continue;
        if (listed++ < kListedFindings) {
            text += line + "\n";
        } else {
            ++more;
        }
    }
    if (more > 0) text += "... and " + std::to_string(more) + " more\n";
    return text;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const HANDLE file = CreateFileW(gui::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw rtl::Exception("cannot open '" + path + "'");
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    const bool ok =
        bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                          read == bytes.size());
    CloseHandle(file);
    if (!ok) throw rtl::Exception("cannot read '" + path + "'");
    return bytes;
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
    static const std::vector<std::string> files{"default.skn", "dark.skn", "contrast.skn"};
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

std::string ChooseFolder(HWND owner, const wchar_t* title) {
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return {};
    std::wstring folder(MAX_PATH, L'\0');
    const bool named = SHGetPathFromIDListW(chosen, folder.data());
    CoTaskMemFree(chosen);
    return named ? gui::Narrow(folder.c_str()) : std::string();
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
    PublishMethod("OpenSkinFileItemClick", [this](rtl::TObject* s) { OpenSkinFileItemClick(s); });
    PublishMethod("OpenSkinFolderItemClick", [this](rtl::TObject* s) { OpenSkinFolderItemClick(s); });
    PublishMethod("ReloadSkinItemClick", [this](rtl::TObject* s) { ReloadSkinItemClick(s); });
    PublishMethod("MdiWindowButtonClick", [this](rtl::TObject* s) { MdiWindowButtonClick(s); });
    PublishMethod("AboutItemClick", [this](rtl::TObject* s) { AboutItemClick(s); });
}

const rtl::TClassInfo& TGalleryForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TGalleryForm", &TForm::StaticClassInfo(), {}};
    return info;
}

void TGalleryForm::Loaded() {
    TForm::Loaded();
    pages_.clear();
    for (const char* name : kPageNames)
        pages_.push_back(StoredComponent<gui::TPanel>(name));
    pageList_ = StoredComponent<gui::TListBox>("PageList");
    skinChooser_ = StoredComponent<gui::TComboBox>("SkinChooser");
    activeCheck_ = StoredComponent<gui::TCheckBox>("ActiveCheck");
    skinData_ = StoredComponent<skin::TSkinData>("SkinData1");
}

void TGalleryForm::FormCreate(rtl::TObject*) {
    ShowPage(0);
}

void TGalleryForm::ShowPage(int index) {
    if (index < 0 || index >= PageCount())
        throw rtl::Exception("the gallery has no page " + std::to_string(index + 1));
    currentPage_ = index;
    for (int i = 0; i < PageCount(); ++i)
        pages_[static_cast<std::size_t>(i)]->SetVisible(i == index);
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

gui::TWinControl* TGalleryForm::HotDemonstration() const {
    const gui::TPanel* page = pages_[static_cast<std::size_t>(currentPage_)];
    for (TComponent* component : Components()) {
        auto* windowed = dynamic_cast<gui::TWinControl*>(component);
        if (windowed && windowed->Tag() == kHotTag && IsInside(windowed, page)) return windowed;
    }
    return nullptr;
}

void TGalleryForm::ShowFixedMoment() {
    // 3 February 2001, 16:05:06: every field has two distinct digits, none is today's.
    const SYSTEMTIME moment{2001, 2, 6, 3, 16, 5, 6, 0};
    for (TComponent* component : Components()) {
        if (auto* picker = dynamic_cast<gui::TDateTimePicker*>(component)) picker->SetDateTime(moment);
    }
}

void TGalleryForm::LoadSkinFile(const std::string& path) {
    if (FolderExists(path)) {
        if (!skinData_->LoadSkinPackage(skin::tool::PackSkinFolder(FilePath(path)).Compressed)) {
            throw rtl::Exception("the skin in '" + path + "' was not loaded");
        }
    } else if (FileExists(path)) {
        skinData_->SetSkinFile(path);
    } else {
        throw rtl::Exception("skin file '" + path + "' not found");
    }
    skinSource_ = path;
    ShowChosenSkin(path, FolderExists(path));
}

// The chooser names the skin shown: a shipped skin by its entry, any other file or folder by the entry
// that opens one.
void TGalleryForm::ShowChosenSkin(const std::string& path, bool folder) {
    int entry = folder ? kFolderEntry : kOtherFileEntry;
    for (std::size_t i = 0; i < ShippedSkinFiles().size(); ++i) {
        if (!folder && FilePath(path) == FilePath(ProgramFolder() + ShippedSkinFiles()[i]))
            entry = static_cast<int>(i);
    }
    chosenSkin_ = entry;
    if (skinChooser_) skinChooser_->SetItemIndex(entry);
}

bool TGalleryForm::OpenSkinSource(const std::string& requested) {
    const std::string path = requested.empty() ? ProgramFolder() + ShippedSkinFiles().front() : requested;
    skinSource_ = path; // F5 tries again after the author mends what is reported
    const std::string title = gui::Application->Title();
    const bool folder = FolderExists(path);
    const std::string findings = BrokenFindings(path);
    if (!findings.empty() &&
        gui::Application->ShowMessageBox("The skin in '" + path + "' would look broken:\n" + findings +
                                             "\nLoad it anyway?",
                                         title, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
        return false;
    }
    try {
        std::vector<std::uint8_t> package =
            folder ? skin::tool::PackSkinFolder(FilePath(path)).Compressed : ReadFileBytes(path);
        if (!skinData_->LoadSkinPackage(std::move(package))) return false; // the reader told the user why
    } catch (const std::exception& error) {
        gui::Application->ShowMessageBox("The skin in '" + path + "' was not loaded: " + error.what() + "\n" +
                                             findings + "\nThe skin shown stays.",
                                         title, MB_OK | MB_ICONSTOP);
        return false;
    }
    ShowChosenSkin(path, folder);
    return true;
}

void TGalleryForm::PageListClick(rtl::TObject*) {
    if (pageList_->ItemIndex() >= 0) ShowPage(pageList_->ItemIndex());
}

void TGalleryForm::MessageBoxButtonClick(rtl::TObject*) {
    gui::Application->ShowMessageBox("A message box of the system, skinned as a dialog.",
                                     gui::Application->Title(), MB_OK | MB_ICONINFORMATION);
}

void TGalleryForm::MessageDialogButtonClick(rtl::TObject*) {
    gui::ShowMessage(
        "The framework's message dialog.\nEvery control family of the framework has a page here.");
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
    } else if (choice == kFolderEntry) {
        path = ChooseFolder(Handle(), L"The skin folder: one .ini file and its .bmp files");
    } else {
        path = ChooseFile(Handle(), L"Skin files (*.skn)\0*.skn\0All files (*.*)\0*.*\0");
    }
    skinChooser_->SetItemIndex(chosenSkin_); // the skin shown stays chosen until another is loaded
    if (!path.empty()) OpenSkinSource(path);
}

void TGalleryForm::ActiveCheckClick(rtl::TObject*) {
    skinData_->SetActive(activeCheck_->Checked());
}

void TGalleryForm::ExitItemClick(rtl::TObject*) {
    Close();
}

void TGalleryForm::AboutItemClick(rtl::TObject*) {
    const std::string text =
        Caption() + "\nVersion " + std::string(marivel::kVersion) + "\n" + std::string(marivel::kCopyright);
    gui::Application->ShowMessageBox(text, "About the gallery", MB_OK | MB_ICONINFORMATION);
}

void TGalleryForm::OpenSkinFileItemClick(rtl::TObject*) {
    const std::string path = ChooseFile(Handle(), L"Skin files (*.skn)\0*.skn\0All files (*.*)\0*.*\0");
    if (!path.empty()) OpenSkinSource(path);
}

void TGalleryForm::OpenSkinFolderItemClick(rtl::TObject*) {
    const std::string path = ChooseFolder(Handle(), L"The skin folder: one .ini file and its .bmp files");
    if (!path.empty()) OpenSkinSource(path);
}

void TGalleryForm::ReloadSkinItemClick(rtl::TObject*) {
    ReloadSkin();
}

TMdiFrameForm& TGalleryForm::OpenMdiWindow() {
    if (!mdiWindow_) {
        gui::Application->CreateForm(mdiWindow_);
    }
    mdiWindow_->Show();
    return *mdiWindow_;
}

void TGalleryForm::MdiWindowButtonClick(rtl::TObject*) {
    OpenMdiWindow();
}

} // namespace gallery
