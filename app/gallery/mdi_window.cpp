#include "app/gallery/mdi_window.h"

#include "framework/gui/application.h"
#include "framework/rtl/component.h"
#include "skin/engine.h"

#include <algorithm>
#include <string>

namespace gallery {

const rtl::TClassInfo& TMdiChildForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMdiChildForm", &TForm::StaticClassInfo(), {}};
    return info;
}

TMdiFrameForm::TMdiFrameForm(TComponent* owner) : TForm(owner) {
    PublishMethod("NewChildClick", [this](rtl::TObject* s) { NewChildClick(s); });
    PublishMethod("CloseChildrenClick", [this](rtl::TObject* s) { CloseChildrenClick(s); });
    PublishMethod("CloseFrameClick", [this](rtl::TObject* s) { CloseFrameClick(s); });
    PublishMethod("CascadeClick", [this](rtl::TObject* s) { CascadeClick(s); });
    PublishMethod("TileClick", [this](rtl::TObject* s) { TileClick(s); });
    PublishMethod("ArrangeIconsClick", [this](rtl::TObject* s) { ArrangeIconsClick(s); });
}

const rtl::TClassInfo& TMdiFrameForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMdiFrameForm", &TForm::StaticClassInfo(), {}};
    return info;
}

TMdiChildForm* TMdiFrameForm::NewChild() {
    FreeClosedChildren();
    // Owned by this frame, the document lives in this frame's client whichever MDI frame came first.
    auto child = std::make_unique<TMdiChildForm>(this);
    TMdiChildForm* form = child.get();
    children_.push_back(std::move(child));
    form->Load();
    form->SetText("Document " + std::to_string(++created_)); // the window menu's entry follows
    form->Show();
    return form;
}

void TMdiFrameForm::NewTiledChildren(int count, std::chrono::milliseconds timeout) {
    std::vector<TMdiChildForm*> made;
    for (int i = 0; i < count; ++i)
        made.push_back(NewChild());
    const auto skinned = [](HWND window) { return SendMessageW(window, skin::SKM_ISSKINNED, 0, 0) == 1; };
    if (skinned(Handle())) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        const auto allSkinned = [&] {
            return std::all_of(made.begin(), made.end(),
                               [&](TMdiChildForm* child) { return skinned(child->Handle()); });
        };
        while (!allSkinned() && std::chrono::steady_clock::now() < deadline) {
            gui::Application->ProcessMessages();
            Sleep(10);
        }
        gui::Application->ProcessMessages(); // the fitting, posted as each one was skinned
    }
    Tile();
}

void TMdiFrameForm::FreeClosedChildren() {
    std::erase_if(children_, [](const auto& child) { return !child->HandleAllocated(); });
}

void TMdiFrameForm::CloseChildren() {
    children_.clear();
}

void TMdiFrameForm::NewChildClick(rtl::TObject*) {
    NewChild();
}

void TMdiFrameForm::CloseChildrenClick(rtl::TObject*) {
    CloseChildren();
}

void TMdiFrameForm::CloseFrameClick(rtl::TObject*) {
    Close();
}

void TMdiFrameForm::CascadeClick(rtl::TObject*) {
    Cascade();
}

void TMdiFrameForm::TileClick(rtl::TObject*) {
    Tile();
}

void TMdiFrameForm::ArrangeIconsClick(rtl::TObject*) {
    ArrangeIcons();
}

void RegisterMdiFormClasses() {
    rtl::RegisterComponentClass<TMdiFrameForm>();
    rtl::RegisterComponentClass<TMdiChildForm>();
}

} // namespace gallery
