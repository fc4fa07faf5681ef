#include "app/main_form.h"

#include "app/core/base_conversion.h"
#include "app/news_form.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"

#include <shellapi.h>

namespace app {

TForm1* Form1 = nullptr;
ShellExecuteFunction ShellExecuteHook = &ShellExecuteW;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    PublishMethod("Button1Click", [this](rtl::TObject* sender) { Button1Click(sender); });
    PublishMethod("N1Click", [this](rtl::TObject* sender) { N1Click(sender); });
    PublishMethod("Timer1Timer", [this](rtl::TObject* sender) { Timer1Timer(sender); });
    PublishMethod("Timer2Timer", [this](rtl::TObject* sender) { Timer2Timer(sender); });
}

const rtl::TClassInfo& TForm1::StaticClassInfo() {
    static const rtl::TClassInfo info{"TForm1", &TForm::StaticClassInfo(), {}};
    return info;
}

void TForm1::Loaded() {
    TForm::Loaded();
    Label1 = StoredComponent<gui::TLabel>("Label1");
    Label2 = StoredComponent<gui::TLabel>("Label2");
    Label3 = StoredComponent<gui::TLabel>("Label3");
    Label4 = StoredComponent<gui::TLabel>("Label4");
    Edit1 = StoredComponent<gui::TEdit>("Edit1");
    Edit2 = StoredComponent<gui::TEdit>("Edit2");
    Edit3 = StoredComponent<gui::TEdit>("Edit3");
    Button1 = StoredComponent<gui::TButton>("Button1");
    Timer1 = StoredComponent<gui::TTimer>("Timer1");
    Timer2 = StoredComponent<gui::TTimer>("Timer2");
    SkinData1 = StoredComponent<skin::TSkinData>("SkinData1");
    MainMenu1 = StoredComponent<gui::TMainMenu>("MainMenu1");
    N1 = StoredComponent<gui::TMenuItem>("N1");
}

void TForm1::Button1Click(rtl::TObject*) {
    // Both boxes are read on every click; an error leaves the result box as it was.
    Edit3->SetText(ConvertBoxes(Edit1->GetText(), Edit2->GetText()));
}

void TForm1::N1Click(rtl::TObject*) {
    // The explorer opens the address in the user's browser; neither failure nor success is reported.
    ShellExecuteHook(Handle(), L"open", L"Explorer.exe", gui::Wide(kWebsiteAddress).c_str(), nullptr,
                     SW_SHOWNORMAL);
}

void TForm1::Timer1Timer(rtl::TObject*) {
    if (!Form2) return;
    // The whole primary screen, not the work area: 35 pixels above its bottom, 15 from its right (at 96 DPI).
    Form2->SetTop(GetSystemMetrics(SM_CYSCREEN) - Form2->Height() - Form2->ScaleValue(35));
    Form2->SetLeft(GetSystemMetrics(SM_CXSCREEN) - Form2->Width() - Form2->ScaleValue(15));
    Form2->Show();
}

void TForm1::Timer2Timer(rtl::TObject*) {
    // Ten milliseconds after the first tick of Timer1: it never ticks again, so the news shows once.
    Timer1->SetEnabled(false);
}

} // namespace app
