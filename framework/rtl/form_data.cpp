#include "framework/rtl/form_data.h"

#include <cctype>

namespace rtl {
namespace {

// Binary values beyond this are refused: the largest real one (the stored skin) is far below it.
constexpr std::size_t kMaxBinaryBytes = 64u * 1024u * 1024u;
// Nesting beyond this is refused rather than recursing without limit on hostile input.
constexpr int kMaxNesting = 64;

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Parser {
  public:
    Parser(std::string_view text, std::string_view source) : text_(text), source_(source) {}

    FormObject ParseRoot() {
        SkipBlanks();
        FormObject root = ParseObject(0);
        SkipBlanks();
        if (!AtEnd()) Fail("text after the end of the form");
        return root;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EFormDataError("form data of " + std::string(source_) + ", line " + std::to_string(line_) +
                             ": " + what);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void Advance() {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }

    // Skips blanks, line breaks and comments.
    void SkipBlanks() {
        while (!AtEnd()) {
            const char c = Peek();
            if (c == '#') {
                while (!AtEnd() && Peek() != '\n')
                    Advance();
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                Advance();
            } else {
                break;
            }
        }
    }

    // Skips blanks within a line only.
    void SkipLineBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r'))
            Advance();
    }

    void ExpectEndOfLine() {
        SkipLineBlanks();
        if (Peek() == '#') {
            while (!AtEnd() && Peek() != '\n')
                Advance();
        }
        if (!AtEnd() && Peek() != '\n') Fail(std::string("unexpected '") + Peek() + "'");
    }

    std::string ParseIdentifier(const char* what) {
        if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
        const std::size_t start = pos_;
        while (!AtEnd() && IsIdentChar(Peek()))
            Advance();
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string ParseDottedName() {
        std::string name = ParseIdentifier("a property name");
        while (Peek() == '.') {
            Advance();
            name += '.';
            name += ParseIdentifier("a property name after '.'");
        }
        return name;
    }

    FormObject ParseObject(int depth) {
        if (depth > kMaxNesting) Fail("components nested too deeply");
        FormObject object;
        object.line = line_;
        object.name = ParseIdentifier("a component name");
        SkipLineBlanks();
        if (Peek() != ':') Fail("expected ':' after the component name '" + object.name + "'");
        Advance();
        SkipLineBlanks();
        object.className = ParseIdentifier("a class name");
        SkipLineBlanks();
        if (Peek() != '{') Fail("expected '{' after the class name '" + object.className + "'");
        Advance();
        ExpectEndOfLine();
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Fail("missing '}' for component '" + object.name + "'");
            if (Peek() == '}') {
                Advance();
                ExpectEndOfLine();
                return object;
            }
            const int itemLine = line_;
            const std::size_t itemStart = pos_;
            const std::string name = ParseDottedName();
            SkipLineBlanks();
            if (Peek() == '=') {
                Advance();
                SkipLineBlanks();
                FormProperty property{name, ParseValue(), itemLine};
                ExpectEndOfLine();
                object.properties.push_back(std::move(property));
            } else if (Peek() == ':') {
                if (name.find('.') != std::string::npos) Fail("a component name cannot contain '.'");
                pos_ = itemStart;
                line_ = itemLine;
                object.children.push_back(ParseObject(depth + 1));
            } else {
                Fail("expected '=' or ':' after '" + name + "'");
            }
        }
    }

    FormValue ParseValue() {
        const char c = Peek();
        if (c == '"') return ParseString();
        if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) return ParseInteger();
        if (c == '[') return ParseSet();
        if (c == '(') return ParseStringList();
        if (c == '<') return ParseBinary();
        if (IsIdentStart(c)) return FormIdentifier{ParseIdentifier("a value")};
        Fail("expected a value");
    }

    std::int64_t ParseInteger() {
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            Advance();
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("expected digits");
        std::int64_t value = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = value * 10 + (Peek() - '0');
            if (value > 0xFFFFFFFFLL) Fail("integer out of range");
            Advance();
        }
        return negative ? -value : value;
    }

    std::string ParseString() {
        Advance(); // opening quote
        std::string value;
        for (;;) {
            if (AtEnd() || Peek() == '\n') Fail("unterminated string");
            const char c = Peek();
            Advance();
            if (c == '"') return value;
            if (c != '\\') {
                value += c;
                continue;
            }
            if (AtEnd()) Fail("unterminated string");
            const char e = Peek();
            Advance();
            switch (e) {
            case '"':
                value += '"';
                break;
            case '\\':
                value += '\\';
                break;
            case 'n':
                value += '\n';
                break;
            case 'r':
                value += '\r';
                break;
            case 't':
                value += '\t';
                break;
            case 'x': {
                const int hi = HexValue(Peek());
                if (hi < 0) Fail("bad \\x escape");
                Advance();
                const int lo = HexValue(Peek());
                if (lo < 0) Fail("bad \\x escape");
                Advance();
                value += static_cast<char>(hi * 16 + lo);
                break;
            }
            default:
                Fail(std::string("unknown escape '\\") + e + "'");
            }
        }
    }

    FormSet ParseSet() {
        Advance(); // [
        FormSet set;
        SkipBlanks();
        if (Peek() == ']') {
            Advance();
            return set;
        }
        for (;;) {
            SkipBlanks();
            set.members.push_back(ParseIdentifier("a set member"));
            SkipBlanks();
            if (Peek() == ']') {
                Advance();
                return set;
            }
            if (Peek() != ',') Fail("expected ',' or ']' in a set");
            Advance();
        }
    }

    FormStringList ParseStringList() {
        Advance(); // (
        FormStringList list;
        for (;;) {
            SkipBlanks();
            if (Peek() == ')') {
                Advance();
                return list;
            }
            if (Peek() != '"') Fail("expected a string or ')' in a string list");
            list.push_back(ParseString());
        }
    }

    FormBinary ParseBinary() {
        Advance(); // <
        FormBinary bytes;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Fail("unterminated binary value");
            if (Peek() == '>') {
                Advance();
                return bytes;
            }
            const int hi = HexValue(Peek());
            if (hi < 0) Fail(std::string("bad hexadecimal digit '") + Peek() + "' in a binary value");
            Advance();
            const int lo = HexValue(Peek());
            if (lo < 0) {
                const char c = Peek();
                const bool separator =
                    c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
                if (!separator) Fail(std::string("bad hexadecimal digit '") + c + "' in a binary value");
                Fail("odd number of hexadecimal digits in a binary value");
            }
            Advance();
            if (bytes.size() >= kMaxBinaryBytes) Fail("binary value too large");
            bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        }
    }

    std::string_view text_;
    std::string_view source_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

void WriteString(std::string& out, const std::string& value) {
    static const char* const kHex = "0123456789abcdef";
    out += '"';
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7F) {
                out += "\\x";
                out += kHex[u >> 4];
                out += kHex[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void WriteValue(std::string& out, const FormValue& value, const std::string& indent) {
    static const char* const kHex = "0123456789abcdef";
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        out += std::to_string(*number);
    } else if (const auto* s = std::get_if<std::string>(&value)) {
        WriteString(out, *s);
    } else if (const auto* id = std::get_if<FormIdentifier>(&value)) {
        out += id->name;
    } else if (const auto* set = std::get_if<FormSet>(&value)) {
        out += '[';
        for (std::size_t i = 0; i < set->members.size(); ++i) {
            if (i) out += ", ";
            out += set->members[i];
        }
        out += ']';
    } else if (const auto* list = std::get_if<FormStringList>(&value)) {
        out += '(';
        for (std::size_t i = 0; i < list->size(); ++i) {
            out += '\n' + indent + "    ";
            WriteString(out, (*list)[i]);
        }
        out += ')';
    } else if (const auto* bin = std::get_if<FormBinary>(&value)) {
        out += '<';
        for (std::size_t i = 0; i < bin->size(); ++i) {
            if (i % 32 == 0) out += '\n' + indent + "    ";
            out += kHex[(*bin)[i] >> 4];
            out += kHex[(*bin)[i] & 15];
        }
        out += '>';
    }
}

void WriteObject(std::string& out, const FormObject& object, const std::string& indent) {
    out += indent + object.name + " : " + object.className + " {\n";
    const std::string inner = indent + "    ";
    for (const FormProperty& p : object.properties) {
        out += inner + p.name + " = ";
        WriteValue(out, p.value, inner);
        out += '\n';
    }
    for (const FormObject& child : object.children)
        WriteObject(out, child, inner);
    out += indent + "}\n";
}

} // namespace

FormObject ParseFormData(std::string_view text, std::string_view sourceName) {
    // A UTF-8 byte order mark written by an editor is not part of the form.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return Parser(text, sourceName).ParseRoot();
}

std::string WriteFormData(const FormObject& form) {
    std::string out;
    WriteObject(out, form, "");
    return out;
}

} // namespace rtl
