// The gallery's multiple-document window: a frame with a Window menu and documents holding a few controls.
#pragma once

#include "framework/gui/form.h"

#include <chrono>
#include <memory>
#include <vector>

namespace gallery {

class TMdiChildForm : public gui::TForm {
  public:
    explicit TMdiChildForm(TComponent* owner) : TForm(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TMdiFrameForm : public gui::TForm {
  public:
    explicit TMdiFrameForm(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // A new document, shown and active; documents closed meanwhile are freed first.
    TMdiChildForm* NewChild();
    // count new documents, tiled once the skin has fitted them to its frame (a skinned frame skins its
    // documents as the client lists them and fits them a moment later: tiled before, they would overlap by
    // the growth of their frames). Waits at most timeout for that.
    void NewTiledChildren(int count, std::chrono::milliseconds timeout);
    // Closes every document and frees it.
    void CloseChildren();

    void NewChildClick(rtl::TObject* sender);
    void CloseChildrenClick(rtl::TObject* sender);
    void CloseFrameClick(rtl::TObject* sender);
    void CascadeClick(rtl::TObject* sender);
    void TileClick(rtl::TObject* sender);
    void ArrangeIconsClick(rtl::TObject* sender);

  private:
    void FreeClosedChildren();

    std::vector<std::unique_ptr<TMdiChildForm>> children_; // owned by the frame too: freed before it
    int created_ = 0;
};

// Registers the two form classes with the stored-data reader.
void RegisterMdiFormClasses();

} // namespace gallery
