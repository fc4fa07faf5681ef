// The application object: title, forms, the hidden application window, the message loop and the default
// exception display.
#pragma once

#include "framework/gui/handles.h"
#include "framework/rtl/component.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace gui {

class TCustomForm;
class TForm;

class TApplication : public rtl::TComponent {
  public:
    TApplication();
    // Destroys the forms, last created first.
    ~TApplication() override;

    // Declares the process DPI-aware (before its first window), initialises COM for this thread
    // (single-threaded apartment) and creates the hidden window.
    void Initialize();

    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);
    HWND Handle() const { return window_.get(); }

    // Creates a form owned by the application, reads it and stores it in reference. The first form created
    // becomes the main form.
    template <class T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        AddForm(form);
        try {
            form->Load();
        } catch (...) {
            reference = nullptr;
            delete form;
            throw;
        }
    }

    TForm* MainForm() const { return mainForm_; }
    const std::vector<TForm*>& Forms() const { return forms_; }

    // Shows the main form and dispatches messages until the main form is closed.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Dispatches the messages already queued.
    void ProcessMessages();

    // The default exception display for the exception being handled (call inside a catch block).
    void HandleException(rtl::TObject* sender);
    void ShowException(const std::exception& error);
    std::function<void(rtl::TObject* sender, const std::exception& error)> OnException;

    // A modal message box owned by the hidden window; the program's other windows are disabled meanwhile
    // and the active window and focus are restored afterwards.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
    bool BiDiMode() const { return false; }

    // Alt+letter typed in a control of a form: the form's message method is sent CM_DIALOGCHAR with the
    // character and key data; true when it took the key (a non-zero answer).
    bool IsDialogChar(const MSG& msg);
    // A key that is the shortcut of an item of the active form's main menu runs that item.
    bool IsMenuShortCut(const MSG& msg);
    bool IsMdiAccelerator(MSG& msg);

    // Called by forms.
    void AddForm(TForm* form);
    void RemoveForm(TCustomForm* form);

  private:
    bool ProcessMessage(MSG& msg);
    bool IsDialogKey(MSG& msg);

    std::string title_;
    UniqueWindow window_;
    bool comInitialized_ = false;
    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
    std::vector<TForm*> forms_;
};

// The one application object of the program.
extern TApplication* Application;

} // namespace gui
