#include "framework/rtl/form_data.h"

#include <gtest/gtest.h>

using namespace rtl;

namespace {

const char* const kSample = R"(# main window
Form1 : TForm1 {
    Caption = "Marivel进制转换器"
    Left = 352
    Font.Height = -11
    BorderStyle = bsSingle
    BorderIcons = [biSystemMenu,
                   biMinimize]
    Empty = []
    Skin3rd = ("a=b"
               "c=d")
    Blob = <00ff 10
            7f>
    Quoted = "say \"hi\"\t\\ \x41"
    Label1 : TLabel {
        Caption = "十进制整数："  # trailing comment
    }
    Menu1 : TMainMenu {
        N1 : TMenuItem {
            OnClick = N1Click
        }
    }
}
)";

std::string ErrorOf(const std::string& text) {
    try {
        ParseFormData(text, "TForm9");
    } catch (const EFormDataError& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(FormData, ParsesEveryValueKindInStoredOrder) {
    const FormObject form = ParseFormData(kSample, "TForm1");
    EXPECT_EQ(form.name, "Form1");
    EXPECT_EQ(form.className, "TForm1");
    ASSERT_EQ(form.properties.size(), 9u);
    EXPECT_EQ(std::get<std::string>(form.properties[0].value), "Marivel进制转换器");
    EXPECT_EQ(std::get<std::int64_t>(form.properties[1].value), 352);
    EXPECT_EQ(form.properties[2].name, "Font.Height");
    EXPECT_EQ(std::get<std::int64_t>(form.properties[2].value), -11);
    EXPECT_EQ(std::get<FormIdentifier>(form.properties[3].value).name, "bsSingle");
    EXPECT_EQ(std::get<FormSet>(form.properties[4].value).members,
              (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    EXPECT_TRUE(std::get<FormSet>(form.properties[5].value).members.empty());
    EXPECT_EQ(std::get<FormStringList>(form.properties[6].value), (FormStringList{"a=b", "c=d"}));
    EXPECT_EQ(std::get<FormBinary>(form.properties[7].value), (FormBinary{0x00, 0xFF, 0x10, 0x7F}));
    EXPECT_EQ(std::get<std::string>(form.properties[8].value), "say \"hi\"\t\\ A");
    EXPECT_EQ(form.properties[8].line, 14);
    ASSERT_EQ(form.children.size(), 2u);
    EXPECT_EQ(form.children[0].name, "Label1");
    EXPECT_EQ(std::get<std::string>(form.children[0].properties[0].value), "十进制整数：");
    EXPECT_EQ(form.children[1].children[0].className, "TMenuItem");
}

TEST(FormData, WriterOutputParsesBackToTheSameTree) {
    FormObject form = ParseFormData(kSample, "TForm1");
    form.properties.push_back({"Ctl", std::string("a\x01\r\n\"z"), 0});
    form.properties.push_back({"Big", FormBinary(100, 0xAB), 0});
    const FormObject again = ParseFormData(WriteFormData(form), "TForm1");
    ASSERT_EQ(again.properties.size(), form.properties.size());
    for (std::size_t i = 0; i < form.properties.size(); ++i) {
        EXPECT_EQ(again.properties[i].name, form.properties[i].name);
        EXPECT_EQ(again.properties[i].value, form.properties[i].value) << form.properties[i].name;
    }
    EXPECT_EQ(again.children[1].children[0].properties[0].value,
              form.children[1].children[0].properties[0].value);
}

TEST(FormData, MalformedTextNamesTheFormAndTheLine) {
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n  Left = \n}\n"), "form data of TForm9, line 2: expected a value");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n  Caption = \"abc\n}\n"),
              "form data of TForm9, line 2: unterminated string");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n  Left = 1\n"),
              "form data of TForm9, line 3: missing '}' for component 'Form1'");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n\n  X = <0g>\n}"),
              "form data of TForm9, line 3: bad hexadecimal digit 'g' in a binary value");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n X = <0>\n}"),
              "form data of TForm9, line 2: odd number of hexadecimal digits in a binary value");
    EXPECT_EQ(ErrorOf("Form1 TForm1 {\n}"),
              "form data of TForm9, line 1: expected ':' after the component name 'Form1'");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n}\nextra"),
              "form data of TForm9, line 3: text after the end of the form");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n X = 99999999999\n}"),
              "form data of TForm9, line 2: integer out of range");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n X = [a b]\n}"),
              "form data of TForm9, line 2: expected ',' or ']' in a set");
    EXPECT_EQ(ErrorOf("Form1 : TForm1 {\n X = \"\\q\"\n}"),
              "form data of TForm9, line 2: unknown escape '\\q'");
    EXPECT_EQ(ErrorOf(""), "form data of TForm9, line 1: expected a component name");
}

TEST(FormData, HostileNestingIsRefusedNotRecursedForever) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "A : B {\n";
    EXPECT_NE(ErrorOf(text).find("nested too deeply"), std::string::npos);
}
