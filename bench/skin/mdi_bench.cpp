// Figures of skinned MDI windows, in-process under Wine or Windows:
//   mdi_bench <skin file>
// Creating and showing 50 documents (an edit, a button and a check box each) in a skinned frame, against
// the same in a frame that is not skinned; maximizing and restoring a document with 10 siblings, skinned
// against not skinned. The two sides are measured in turns.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/skin/skin_bench.h"
#include "framework/gui/form.h"
#include "skin/form/skin_form.h"

namespace {

using skin_bench::Pump;

class TBenchFrame : public gui::TForm {
public:
    using TForm::TForm;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TBenchFrame", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TBenchDocument : public gui::TForm {
public:
    using TForm::TForm;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TBenchDocument", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

std::string FrameText(int left) {
    return R"(Frame : TBenchFrame {
    Caption = "MDI benchmark"
    Left = )" + std::to_string(left) +
           R"(
    Top = 0
    ClientWidth = 560
    ClientHeight = 420
    FormStyle = fsMDIForm
    Menu = FrameMenu
    WindowMenu = WindowItem
    FrameMenu : TMainMenu {
        WindowItem : TMenuItem {
            Caption = "&Window"
        }
    }
}
)";
}

constexpr char kDocumentText[] = R"(Document : TBenchDocument {
    Caption = "Document"
    ClientWidth = 220
    ClientHeight = 110
    FormStyle = fsMDIChild
    Edit1 : TEdit {
        Left = 8
        Top = 8
        Width = 120
        Height = 21
    }
    Button1 : TButton {
        Left = 8
        Top = 36
        Width = 75
        Height = 25
        Caption = "Apply"
    }
    Check1 : TCheckBox {
        Left = 8
        Top = 70
        Width = 120
        Height = 17
        Caption = "Keep"
    }
}
)";

std::vector<TBenchDocument*> OpenDocuments(TBenchFrame& frame, int count) {
    std::vector<TBenchDocument*> documents;
    for (int i = 0; i < count; ++i) {
        auto* document = new TBenchDocument(&frame);
        document->LoadFromText(kDocumentText);
        document->Show();
        documents.push_back(document);
    }
    Pump();
    UpdateWindow(frame.ClientHandle());
    RedrawWindow(frame.ClientHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return documents;
}

void CloseDocuments(std::vector<TBenchDocument*>& documents) {
    for (TBenchDocument* document : documents) delete document;
    documents.clear();
    Pump();
}

void MaximizeAndRestore(TBenchFrame& frame, TBenchDocument& document) {
    SendMessageW(frame.ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document.Handle()), 0);
    Pump();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(frame.ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(document.Handle()), 0);
    Pump();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "mdi_bench", exitCode);
    if (!bench) return exitCode;
    rtl::RegisterComponentClass<TBenchFrame>();
    rtl::RegisterComponentClass<TBenchDocument>();
    skin::TSkinManage& manager = *bench->manager;
    manager.Started = 1; // closed documents' skinning objects are purged by the manager's timer, as in a program
    TBenchFrame plain(nullptr), skinned(nullptr);
    manager.Enabled = 0;
    plain.LoadFromText(FrameText(0));
    plain.Show();
    manager.Enabled = 1;
    skinned.LoadFromText(FrameText(600));
    skinned.Show();
    manager.SkinWindow(skinned.Handle());
    Pump();
    {
        std::vector<TBenchDocument*> probe = OpenDocuments(skinned, 1);
        const bool documentSkinned = manager.FindFormByWindow(probe.front()->Handle()) != nullptr;
        const bool plainSkinned = manager.FindFormByWindow(plain.Handle()) != nullptr;
        CloseDocuments(probe);
        if (!documentSkinned || plainSkinned) {
            std::fprintf(stderr, "the skinned frame's documents were not skinned (or the plain frame was)\n");
            return 1;
        }
    }

    constexpr int kDocuments = 50;
    const auto open = skin_bench::BestMicrosecondsInTurns(
        1,
        [&] {
            auto documents = OpenDocuments(plain, kDocuments);
            CloseDocuments(documents);
        },
        [&] {
            auto documents = OpenDocuments(skinned, kDocuments);
            CloseDocuments(documents);
        },
        5);
    std::printf("%d documents created, shown and closed: skinned %.1f ms, system %.1f ms, ratio %.2f\n", kDocuments,
                open.Second / 1000, open.First / 1000, open.Second / open.First);

    constexpr int kSiblings = 10;
    auto plainDocuments = OpenDocuments(plain, kSiblings + 1);
    auto skinnedDocuments = OpenDocuments(skinned, kSiblings + 1);
    const auto maximize = skin_bench::BestMicrosecondsInTurns(
        10, [&] { MaximizeAndRestore(plain, *plainDocuments.back()); },
        [&] { MaximizeAndRestore(skinned, *skinnedDocuments.back()); });
    std::printf("maximize and restore of a document with %d siblings: skinned %.0f us, system %.0f us, ratio %.2f\n",
                kSiblings, maximize.Second, maximize.First, maximize.Second / maximize.First);
    CloseDocuments(plainDocuments);
    CloseDocuments(skinnedDocuments);
    for (int i = 0; i < 50; ++i) {
        Pump();
        Sleep(10);
    }
    return 0;
}
