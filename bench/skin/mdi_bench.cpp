// Figures of skinned MDI windows, in-process under Wine or Windows:
//   mdi_bench <skin file>
// The gallery's multiple-document window: 50 documents (an edit, a button and a check box each) created,
// shown and closed in a skinned frame, against the same in a frame that is not skinned; a document with 10
// siblings maximized and restored, skinned against not skinned. The two sides are measured in turns.
#include "app/gallery/mdi_window.h"
#include "bench/skin/skin_bench.h"
#include "skin/form/skin_form.h"

#include <windows.h>

#include <cstdio>

namespace {

using gallery::TMdiFrameForm;
using skin_bench::Pump;

void OpenDocuments(TMdiFrameForm& frame, int count) {
    for (int i = 0; i < count; ++i)
        frame.NewChild();
    Pump();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Each frame is the active window for its own turn, as the frame a user works in is: documents opened in
// an inactive frame take neither the focus nor an active caption, which is far less work.
void Activate(TMdiFrameForm& frame) {
    SetForegroundWindow(frame.Handle());
    SetActiveWindow(frame.Handle());
    Pump();
}

void CloseDocuments(TMdiFrameForm& frame) {
    frame.CloseChildren();
    Pump();
}

void MaximizeAndRestore(TMdiFrameForm& frame) {
    const HWND document = frame.ActiveMDIChild()->Handle();
    SendMessageW(frame.ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document), 0);
    Pump();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(frame.ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(document), 0);
    Pump();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "mdi_bench", exitCode);
    if (!bench) return exitCode;
    gallery::RegisterMdiFormClasses();
    skin::TSkinManage& manager = *bench->manager;
    manager.Started =
        1; // closed documents' skinning objects are purged by the manager's timer, as in a program
    TMdiFrameForm plain(nullptr), skinned(nullptr);
    manager.Enabled = 0;
    plain.Load();
    plain.SetBounds(0, 0, plain.Width(), plain.Height());
    plain.Show();
    manager.Enabled = 1;
    skinned.Load();
    skinned.SetBounds(640, 0, skinned.Width(), skinned.Height());
    skinned.Show();
    manager.SkinWindow(skinned.Handle());
    Pump();
    OpenDocuments(skinned, 1);
    const bool documentSkinned = manager.FindFormByWindow(skinned.ActiveMDIChild()->Handle()) != nullptr;
    CloseDocuments(skinned);
    if (!documentSkinned || manager.FindFormByWindow(plain.Handle())) {
        std::fprintf(stderr, "the skinned frame's documents were not skinned (or the plain frame was)\n");
        return 1;
    }

    using skin_bench::WithSkinningOff;
    constexpr int kDocuments = 50;
    const auto open = skin_bench::BestMicrosecondsInTurns(
        1,
        WithSkinningOff(manager,
                        [&] {
                            Activate(plain);
                            OpenDocuments(plain, kDocuments);
                            CloseDocuments(plain);
                        }),
        [&] {
            Activate(skinned);
            OpenDocuments(skinned, kDocuments);
            CloseDocuments(skinned);
        },
        5);
    std::printf("%d documents created, shown and closed: skinned %.1f ms, system %.1f ms, ratio %.2f\n",
                kDocuments, open.Second / 1000, open.First / 1000, open.Second / open.First);

    constexpr int kSiblings = 10;
    WithSkinningOff(manager, [&] { OpenDocuments(plain, kSiblings + 1); })();
    OpenDocuments(skinned, kSiblings + 1);
    const auto maximize =
        skin_bench::BestMicrosecondsInTurns(10,
                                            WithSkinningOff(manager,
                                                            [&] {
                                                                if (GetActiveWindow() != plain.Handle())
                                                                    Activate(plain);
                                                                MaximizeAndRestore(plain);
                                                            }),
                                            [&] {
                                                if (GetActiveWindow() != skinned.Handle()) Activate(skinned);
                                                MaximizeAndRestore(skinned);
                                            });
    std::printf(
        "maximize and restore of a document with %d siblings: skinned %.0f us, system %.0f us, ratio %.2f\n",
        kSiblings, maximize.Second, maximize.First, maximize.Second / maximize.First);
    const bool stayedUnskinned = skin_bench::StayedUnskinned(manager, plain.Handle()) &&
                                 skin_bench::StayedUnskinned(manager, plain.ActiveMDIChild()->Handle());
    WithSkinningOff(manager, [&] { CloseDocuments(plain); })();
    CloseDocuments(skinned);
    return stayedUnskinned ? 0 : 1;
}
