#include "app/gallery/mdi_window.h"

#include <algorithm>
#include <string>

#include "framework/rtl/component.h"

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

void TMdiFrameForm::FreeClosedChildren() {
    std::erase_if(children_, [](const auto& child) { return !child->HandleAllocated(); });
}

void TMdiFrameForm::CloseChildren() { children_.clear(); }

void TMdiFrameForm::NewChildClick(rtl::TObject*) { NewChild(); }

void TMdiFrameForm::CloseChildrenClick(rtl::TObject*) { CloseChildren(); }

void TMdiFrameForm::CloseFrameClick(rtl::TObject*) { Close(); }

void TMdiFrameForm::CascadeClick(rtl::TObject*) { Cascade(); }

void TMdiFrameForm::TileClick(rtl::TObject*) { Tile(); }

void TMdiFrameForm::ArrangeIconsClick(rtl::TObject*) { ArrangeIcons(); }

void RegisterMdiFormClasses() {
    rtl::RegisterComponentClass<TMdiFrameForm>();
    rtl::RegisterComponentClass<TMdiChildForm>();
}

} // namespace gallery
