#include "framework/rtl/component.h"
#include "framework/rtl/form_reader.h"
#include "framework/rtl/property_builders.h"

#include <gtest/gtest.h>

using namespace rtl;

namespace {

std::vector<std::string> g_log;

class TFakeFont : public TPersistent {
  public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info{"TFakeFont",
                                     &TPersistent::StaticClassInfo(),
                                     {
                                         IntegerProperty("Height", &TFakeFont::SetHeight, &TFakeFont::Height),
                                     }};
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Height() const { return height; }
    void SetHeight(int h) { height = h; }
    int height = 0;
};

class TWidget : public TComponent {
  public:
    using TComponent::TComponent;
    ~TWidget() override { g_log.push_back("free " + Name()); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info{
            "TWidget",
            &TComponent::StaticClassInfo(),
            {
                IntegerProperty("Left", &TWidget::SetLeft, &TWidget::Left),
                StringProperty("Caption", &TWidget::SetCaption, &TWidget::Caption),
                BooleanProperty("Flat", &TWidget::SetFlat, &TWidget::Flat),
                EnumProperty("Style", {"wsPlain", "wsFancy"}, &TWidget::SetStyle, &TWidget::Style),
                SetProperty("Icons", {"biSystemMenu", "biMinimize", "biMaximize"}, &TWidget::SetIcons),
                ColourProperty("Color", &TWidget::SetColor),
                StringListProperty("Lines", &TWidget::SetLines),
                BinaryProperty("Data", &TWidget::SetData),
                SubObjectProperty("Font", &TWidget::Font),
                ComponentProperty("Buddy", &TWidget::SetBuddy),
                EventProperty("OnClick", &TWidget::OnClick),
            }};
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Loaded() override {
        g_log.push_back("loaded " + Name() + (HasState(csReading) ? " reading" : ""));
        TComponent::Loaded();
    }
    void AddStoredChild(TComponent* child) override {
        g_log.push_back("place " + child->Name() + " in " + Name());
    }
    TNotifyEvent FindNotifyMethod(const std::string& name) override {
        if (name == "WidgetClick") return [](TObject*) { g_log.push_back("clicked"); };
        return {};
    }

    int Left() const { return left; }
    void SetLeft(int v) { left = v; }
    std::string Caption() const { return caption; }
    void SetCaption(const std::string& v) { caption = v; }
    bool Flat() const { return flat; }
    void SetFlat(bool v) { flat = v; }
    int Style() const { return style; }
    void SetStyle(int v) { style = v; }
    void SetIcons(std::uint32_t v) { icons = v; }
    void SetColor(TColor v) { color = v; }
    void SetLines(const std::vector<std::string>& v) { lines = v; }
    void SetData(const std::vector<std::uint8_t>& v) { data = v; }
    TFakeFont* Font() { return &font; }
    void SetBuddy(TWidget* w) {
        buddy = w;
        g_log.push_back("buddy " + w->Name());
    }

    int left = 0;
    std::string caption;
    bool flat = false;
    int style = 0;
    std::uint32_t icons = 0;
    TColor color = 0;
    std::vector<std::string> lines;
    std::vector<std::uint8_t> data;
    TFakeFont font;
    TWidget* buddy = nullptr;
    TNotifyEvent OnClick;
};

struct RegisterWidget {
    RegisterWidget() { RegisterComponentClass<TWidget>(); }
} registerWidget;

std::string ReadError(const std::string& text) {
    TWidget root(nullptr);
    try {
        ReadRootComponent(root, ParseFormData(text, "TWidget"), "TWidget");
    } catch (const EFormDataError& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(FormReader, CreatesComponentsSetsPropertiesAndRunsLoadedAfterwards) {
    g_log.clear();
    const char* text = R"(Main : TWidget {
    Left = 7
    Caption = "标题"
    Flat = True
    Style = wsFancy
    Icons = [biSystemMenu, biMaximize]
    Color = clBtnFace
    Lines = ("a" "b")
    Data = <0102>
    Font.Height = -11
    Buddy = Second
    OnClick = WidgetClick
    First : TWidget {
        Left = 1
    }
    Second : TWidget {
        Left = 2
    }
})";
    {
        TWidget root(nullptr);
        ReadRootComponent(root, ParseFormData(text, "TWidget"), "TWidget");
        EXPECT_EQ(root.Name(), "Main");
        EXPECT_EQ(root.left, 7);
        EXPECT_EQ(root.caption, "标题");
        EXPECT_TRUE(root.flat);
        EXPECT_EQ(root.style, 1);
        EXPECT_EQ(root.icons, 0b101u);
        EXPECT_EQ(root.color, clBtnFace);
        EXPECT_EQ(root.lines, (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(root.data, (std::vector<std::uint8_t>{1, 2}));
        EXPECT_EQ(root.font.height, -11);
        ASSERT_EQ(root.ComponentCount(), 2);
        EXPECT_EQ(root.Components()[0]->Name(), "First");
        EXPECT_EQ(root.buddy, root.Components()[1]); // a reference to a component stored later
        ASSERT_TRUE(root.OnClick);
        root.OnClick(&root);
        EXPECT_FALSE(root.HasState(csLoading | csReading));
        EXPECT_EQ(g_log,
                  (std::vector<std::string>{"place First in Main", "place Second in Main", "buddy Second",
                                            "loaded Main", "loaded First", "loaded Second", "clicked"}));
        g_log.clear();
    }
    // The owner frees what it owns, last first (after its own destructor body has run).
    EXPECT_EQ(g_log, (std::vector<std::string>{"free Main", "free Second", "free First"}));
}

TEST(FormReader, BadDataIsReportedWithFormAndLine) {
    EXPECT_EQ(ReadError("Main : TOther {\n}"),
              "form data of TWidget, line 1: stored class TOther does not match TWidget");
    EXPECT_EQ(ReadError("Main : TWidget {\n Nope = 1\n}"),
              "form data of TWidget, line 2: TWidget has no property 'Nope'");
    EXPECT_EQ(ReadError("Main : TWidget {\n Left = \"x\"\n}"),
              "form data of TWidget, line 2: 'Left': expected an integer");
    EXPECT_EQ(ReadError("Main : TWidget {\n\n Style = wsUgly\n}"),
              "form data of TWidget, line 3: 'Style': 'wsUgly' is not a value of this property");
    EXPECT_EQ(ReadError("Main : TWidget {\n Icons = [biHelp]\n}"),
              "form data of TWidget, line 2: 'Icons': 'biHelp' is not a value of this property");
    EXPECT_EQ(ReadError("Main : TWidget {\n OnClick = Missing\n}"),
              "form data of TWidget, line 2: 'OnClick': the form has no method 'Missing'");
    EXPECT_EQ(ReadError("Main : TWidget {\n X : TNoSuchClass {\n }\n}"),
              "form data of TWidget, line 2: class TNoSuchClass not found");
    EXPECT_EQ(ReadError("Main : TWidget {\n A : TWidget {\n }\n A : TWidget {\n }\n}"),
              "form data of TWidget, line 4: a component named 'A' already exists");
    EXPECT_EQ(ReadError("Main : TWidget {\n Buddy = Ghost\n}"),
              "form data of TWidget, line 1: 'Buddy' names 'Ghost', which is no suitable component");
    EXPECT_EQ(ReadError("Main : TWidget {\n Font.Width = 3\n}"),
              "form data of TWidget, line 2: TFakeFont has no property 'Width'");
}

TEST(SetEnumProperty, SetsEnumerationsAndBooleansByValueNameAndSkipsTheRest) {
    TWidget widget(nullptr);
    SetEnumProperty(widget, "Flat", "True");
    EXPECT_TRUE(widget.flat);
    SetEnumProperty(widget, "style", "WSFANCY");
    EXPECT_EQ(widget.style, 1);
    SetEnumProperty(widget, "Style", "wsNope"); // unknown value: unchanged
    EXPECT_EQ(widget.style, 1);
    SetEnumProperty(widget, "Left", "True"); // not an enumeration: skipped
    EXPECT_EQ(widget.left, 0);
    SetEnumProperty(widget, "Transparent", "True"); // missing: skipped
    const TPropInfo* flat = widget.ClassInfo().FindProperty("Flat");
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->GetText(widget), "true");
}

TEST(Component, FreeingAComponentEarlyTakesItOffItsOwnersList) {
    g_log.clear();
    TWidget owner(nullptr);
    owner.SetName("Owner");
    auto* a = new TWidget(&owner);
    a->SetName("A");
    auto* b = new TWidget(&owner);
    b->SetName("B");
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components()[0], b);
    EXPECT_EQ(owner.FindComponent("b"), b);
    EXPECT_EQ(owner.FindComponent("A"), nullptr);
}

// Logs the removals it is told of.
class TWatcher : public TComponent {
  public:
    using TComponent::TComponent;
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove) g_log.push_back("told " + component->Name());
    }
};

TEST(Component, FreeNotificationReachesAWatcherOfAnotherOwnerOnceAndEndsWithEitherOne) {
    g_log.clear();
    TWidget form(nullptr);
    auto* a = new TWidget(&form);
    a->SetName("A");
    auto* b = new TWidget(&form);
    b->SetName("B");
    auto* c = new TWidget(&form);
    c->SetName("C");
    {
        TWatcher watcher(nullptr); // owned by nobody: its owner's notifications never reach it
        a->FreeNotification(&watcher);
        a->FreeNotification(&watcher);
        b->FreeNotification(&watcher);
        c->FreeNotification(&watcher);
        c->RemoveFreeNotification(&watcher);
        delete a;
        delete c;
        EXPECT_EQ(g_log, (std::vector<std::string>{"free A", "told A", "free C"}))
            << "once, and not after removal";
    }
    g_log.clear();
    delete b; // its watcher is gone: nobody left to tell
    EXPECT_EQ(g_log, std::vector<std::string>{"free B"});
}
