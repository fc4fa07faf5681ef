// skintool check: what the engine would silently do with a skin, for its author. Reads a skin folder or
// skin file and reports, with file and line:
//
// problems (exit status 1: the skin would look broken)
//   - a bitmap reference that loads no image: missing member, empty member, not ending in ".bmp";
//   - a member that is not a readable BMP (the engine then refuses the whole skin);
//   - a number that does not read (the engine uses the key's default);
//   - a colour that is not three numbers from 0 to 255 (the engine reads something else);
//   - an image whose width (height, for strips stacked top to bottom) is not a multiple of its frame
//     count, or a frame count below 1 or above the image's size;
//   - margins larger than a frame, or negative;
//   - a caption button that reaches outside the caption;
// warnings (exit status 0: the engine ignores them, but they are likely slips)
//   - unknown sections and keys (with the nearest known name when one is close);
//   - a section or key given twice (the first counts), keys before the first section.
#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"
#include "skin/data/package_writer.h"
#include "skin/data/profile.h"
#include "skin/data/skin_definition.h"
#include "skin/data/skin_keys.h"
#include "skin/data/skin_values.h"
#include "skin/draw/bmp_reader.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skin_authoring.h"
#include "tools/skintool/skin_file.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

namespace skin::tool {

namespace {

namespace fs = std::filesystem;

// A skin's members, by lower-cased name, and its definition.
struct SkinSource {
    std::string DefinitionName;
    std::string Definition;
    std::map<std::string, std::pair<std::string, std::vector<std::uint8_t>>>
        Members; // lower name -> name, bytes
};

SkinSource ReadFolder(const fs::path& folder) {
    SkinSource source;
    std::vector<fs::path> definitions;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string extension = rtl::LowerCaseAscii(entry.path().extension().string());
        if (extension == ".ini") definitions.push_back(entry.path());
        if (extension == ".bmp")
            source.Members[rtl::LowerCaseAscii(name)] = {name, ReadFileBytes(entry.path())};
    }
    std::sort(definitions.begin(), definitions.end());
    if (definitions.size() != 1) {
        throw rtl::Exception(Quoted(folder) + ": needs exactly one .ini file, found " +
                             std::to_string(definitions.size()));
    }
    source.DefinitionName = definitions.front().filename().string();
    const std::vector<std::uint8_t> text = ReadFileBytes(definitions.front());
    source.Definition.assign(text.begin(), text.end());
    return source;
}

SkinSource ReadSkinFile(const fs::path& path) {
    TSkinReader reader;
    LoadSkinFile(path, reader);
    SkinSource source;
    std::vector<std::uint8_t> bytes;
    if (!reader.ExtractFirstMatching(std::string(kDefinitionMemberPart), bytes, source.DefinitionName)) {
        throw rtl::Exception(Quoted(path) + ": no definition (no member name contains '.ini')");
    }
    source.Definition.assign(bytes.begin(), bytes.end());
    for (const std::string& name : reader.Names()) {
        const std::string lower = rtl::LowerCaseAscii(name);
        if (source.Members.contains(lower)) continue; // the first of a name is the one found
        reader.ExtractMember(name, bytes);
        source.Members[lower] = {name, bytes};
    }
    return source;
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return result;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    const std::string x = Upper(a), y = Upper(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

// The nearest of names to name when it is close enough to be a slip of the keyboard.
template <class Names> std::string DidYouMean(std::string_view name, const Names& names) {
    std::string best;
    std::size_t bestDistance = 3;
    for (const auto& candidate : names) {
        const std::size_t distance = EditDistance(name, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = std::string(candidate);
        }
    }
    return best.empty() || best.size() < 3 ? std::string() : " (did you mean '" + best + "'?)";
}

// One line of the definition as the profile reader sees it.
struct KeyLine {
    std::string Name;
    std::string Value;
    int Line;
};
struct SectionLines {
    std::string Name;
    int Line;
    std::vector<KeyLine> Keys;
};

std::vector<SectionLines> ScanDefinition(std::string_view text) {
    std::vector<SectionLines> sections{{"", 0, {}}};
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        ++lineNumber;
        std::string_view line = text.substr(pos, end - pos);
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        pos = end + 1;
        while (!line.empty() && TProfileText::IsBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && TProfileText::IsBlank(line.back()))
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';') continue; // ";" lines are keys no one reads: comments
        const std::size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos && close > 0) {
            std::string_view name = line.substr(1, close - 1);
            while (!name.empty() && TProfileText::IsBlank(name.front()))
                name.remove_prefix(1);
            while (!name.empty() && TProfileText::IsBlank(name.back()))
                name.remove_suffix(1);
            sections.push_back({std::string(name), lineNumber, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        std::string_view name = line.substr(0, equals);
        while (!name.empty() && TProfileText::IsBlank(name.back()))
            name.remove_suffix(1);
        std::string_view value =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        while (!value.empty() && TProfileText::IsBlank(value.front()))
            value.remove_prefix(1);
        sections.back().Keys.push_back({std::string(name), std::string(value), lineNumber});
    }
    return sections;
}

// Strictly three numbers from 0 to 255 separated by non-digits.
bool IsCleanColour(std::string_view text) {
    int components = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = std::min(value * 10 + (text[i] - '0'), 1000);
            ++i;
        }
        if (value > 255) return false;
        ++components;
    }
    return components == 3;
}

class Checker {
  public:
    Checker(const SkinSource& source, std::ostream& out) : source_(source), out_(out) {}

    void Run() {
        if (const auto reason = DescribeNonText(source_.Definition)) {
            Problem(source_.DefinitionName, *reason + ": the engine cannot read this skin");
            return;
        }
        sections_ = ScanDefinition(source_.Definition);
        CheckNames();
        CheckValues();
        CheckElements();
    }

    int problems = 0;
    int warnings = 0;

  private:
    std::string At(int line) const { return source_.DefinitionName + ":" + std::to_string(line); }
    void Problem(const std::string& where, const std::string& text) {
        ++problems;
        out_ << where << ": " << text << '\n';
    }
    void Warning(const std::string& where, const std::string& text) {
        ++warnings;
        out_ << where << ": warning: " << text << '\n';
    }

    // The first section of a name: the one the engine reads.
    const SectionLines* FirstSection(std::string_view name) const {
        for (const SectionLines& s : sections_) {
            if (s.Line > 0 && Upper(s.Name) == Upper(name)) return &s;
        }
        return nullptr;
    }
    static const KeyLine* FirstKey(const SectionLines& section, std::string_view name) {
        for (const KeyLine& k : section.Keys) {
            if (Upper(k.Name) == Upper(name)) return &k;
        }
        return nullptr;
    }
    int LineOf(std::string_view section, std::string_view key) const {
        const SectionLines* s = FirstSection(section);
        if (!s) return 0;
        const KeyLine* k = FirstKey(*s, key);
        return k ? k->Line : s->Line;
    }

    void CheckNames() {
        std::vector<std::string_view> known;
        for (const SkinSection& s : FixedSkinSections())
            known.push_back(s.Name);
        std::set<std::string> seen;
        for (const SectionLines& section : sections_) {
            if (section.Line == 0) {
                for (const KeyLine& key : section.Keys) {
                    Warning(At(key.Line), "key '" + key.Name + "' before the first section is never read");
                }
                continue;
            }
            if (!seen.insert(Upper(section.Name)).second) {
                Warning(At(section.Line), "[" + section.Name + "] again: only the first, line " +
                                              std::to_string(FirstSection(section.Name)->Line) + ", is read");
                continue;
            }
            const SkinSection* table = FindSkinSection(section.Name);
            if (!table) {
                Warning(At(section.Line),
                        "unknown section [" + section.Name + "]" + DidYouMean(section.Name, known));
                continue;
            }
            std::vector<std::string_view> keys;
            for (const SkinKey& k : table->Keys)
                keys.push_back(k.Name);
            std::set<std::string> seenKeys;
            for (const KeyLine& key : section.Keys) {
                if (!seenKeys.insert(Upper(key.Name)).second) {
                    Warning(At(key.Line),
                            "key '" + key.Name + "' again in [" + section.Name + "]: only the first, line " +
                                std::to_string(FirstKey(section, key.Name)->Line) + ", is read");
                } else if (!FindSkinKey(*table, key.Name)) {
                    Warning(At(key.Line), "unknown key '" + key.Name + "' in [" + section.Name + "]" +
                                              DidYouMean(key.Name, keys));
                }
            }
        }
    }

    void CheckValues() {
        std::set<std::string> seen;
        for (const SectionLines& section : sections_) {
            if (section.Line == 0 || !seen.insert(Upper(section.Name)).second) continue;
            const SkinSection* table = FindSkinSection(section.Name);
            if (!table) continue;
            std::set<std::string> seenKeys;
            for (const KeyLine& key : section.Keys) {
                const SkinKey* known = FindSkinKey(*table, key.Name);
                if (!known || !seenKeys.insert(Upper(key.Name)).second) continue;
                // The value as the engine gets it: trimmed, without one pair of quotes.
                const std::string value = TProfileText("[s]\nk=" + key.Value).ReadString("s", "k", {});
                if (value.empty()) continue; // as if missing: the key's default
                CheckValue(section, key, *known, value);
            }
        }
    }

    void CheckValue(const SectionLines& section, const KeyLine& key, const SkinKey& known,
                    const std::string& value) {
        const std::string where = At(key.Line);
        const std::string name = "[" + section.Name + "] " + key.Name;
        switch (known.Kind) {
        case SkinKeyKind::Integer:
            if (ParseSkinInteger(value, 0) == 0 && ParseSkinInteger(value, 1) == 1) { // the default came back
                Problem(where, name + " = '" + value + "' is not a number: the engine uses the default");
            }
            break;
        case SkinKeyKind::ColourText:
            if (!IsCleanColour(value)) {
                const Colour c = ParseColour(value, 0);
                Problem(where, name + " = '" + value +
                                   "' is not a colour of three numbers 0-255: the engine reads " +
                                   std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
                                   std::to_string((c >> 16) & 0xFF));
            }
            break;
        case SkinKeyKind::Bitmap: {
            const std::optional<std::string> member = BitmapMemberName(value);
            if (!member) {
                Problem(where,
                        name + " = '" + value + "' does not end in '.bmp' (lower case): no image is loaded");
                break;
            }
            const auto found = source_.Members.find(rtl::LowerCaseAscii(*member));
            if (found == source_.Members.end()) {
                Problem(where, name + " names '" + *member + "', which is missing: no image is drawn");
            } else if (found->second.second.empty()) {
                Problem(where, name + " names '" + *member + "', which is empty: no image is drawn");
            } else if (!decoded_.contains(found->first)) {
                decoded_.insert(found->first);
                try {
                    ReadBmp(found->second.second);
                    readable_.insert(found->first);
                } catch (const std::exception& e) {
                    Problem(found->second.first, std::string("not a readable BMP (") + e.what() +
                                                     "): the engine refuses the whole skin");
                }
            }
            break;
        }
        case SkinKeyKind::Text:
            break;
        }
    }

    struct Element {
        const TDataSkinObject* Record;
        std::string Section;
        std::string Key;
        bool Vertical; // frames stacked top to bottom
        bool Margins;  // LeftWidth..BottomHeight cut the image
    };

    void CheckElements() {
        // The skin as the engine loads it, without the members already reported as unreadable.
        PackageWriter writer;
        writer.AddMember(source_.DefinitionName,
                         std::vector<std::uint8_t>(source_.Definition.begin(), source_.Definition.end()));
        for (const auto& [lower, member] : source_.Members) {
            if (lower == rtl::LowerCaseAscii(source_.DefinitionName)) continue;
            if (!decoded_.contains(lower) || readable_.contains(lower))
                writer.AddMember(member.first, member.second);
        }
        TSkinReader reader;
        reader.LoadPackage(writer.BuildCompressed());
        TSkinDefinition skin(nullptr);
        try {
            skin.LoadDefinition(source_.Definition, reader);
        } catch (const std::exception& e) {
            Problem(source_.DefinitionName, std::string("the engine cannot load this skin: ") + e.what());
            return;
        }
        std::vector<Element> elements{
            {skin.BorderLeft.get(), "Personality", "Left", false, true},
            {skin.BorderRight.get(), "Personality", "Right", false, true},
            {skin.BorderTop.get(), "Personality", "Top", true, true},
            {skin.BorderBottom.get(), "Personality", "Bottom", true, true},
            {skin.Title.get(), "Personality", "TextBack", true, false},
            {skin.Buttons.get(), "Buttons", "Bitmap", false, true},
            {skin.Progress.get(), "Progress", "Bitmap", false, true},
            {skin.MenuBar.get(), "Personality", "menuBar", true, true},
        };
        for (const TSkinDefinition::SlotView& slot : skin.ElementSlots()) {
            if (!slot.Record) continue;
            const bool listed = std::any_of(elements.begin(), elements.end(),
                                            [&](const Element& e) { return e.Record == slot.Record; });
            if (!listed) elements.push_back({slot.Record, slot.Record->Name, "Image", false, true});
        }
        const std::size_t skinButtons = skin.SysButtons.size() >= 3 ? skin.SysButtons.size() - 3 : 0;
        for (std::size_t i = 0; i < skinButtons; ++i) {
            elements.push_back(
                {skin.SysButtons[i].get(), skin.SysButtons[i]->Name, "ButtonImage", false, false});
        }
        for (const Element& e : elements) {
            if (e.Record) CheckElement(e); // Progress and MenuBar may be absent
        }
        CheckCaptionButtons(skin, skinButtons);
    }

    void CheckElement(const Element& e) {
        const Bitmap& image = e.Record->Image;
        if (image.empty()) return;
        const std::string file = BitmapMemberName(FirstValue(e.Section, e.Key)).value_or(e.Key);
        const int count = e.Record->FrameCount;
        const int along = e.Vertical ? image.height() : image.width();
        const std::string side = e.Vertical ? "height " : "width ";
        if (count < 1) {
            Problem(file, "frame count " + std::to_string(count) + " in [" + e.Section +
                              "]: the engine takes it as 1");
        } else if (count > along) {
            Problem(file, side + std::to_string(along) + " holds fewer than its " + std::to_string(count) +
                              " frames: every frame is 0 pixels, nothing is drawn");
            return;
        } else if (along % count != 0) {
            Problem(file, side + std::to_string(along) + " is not a multiple of its " +
                              std::to_string(count) + " frames");
        }
        if (!e.Margins) return;
        const int n = std::max(count, 1);
        const int fw = e.Vertical ? image.width() : image.width() / n;
        const int fh = e.Vertical ? image.height() / n : image.height();
        const TDataSkinObject& r = *e.Record;
        const std::string where = At(LineOf(e.Section, e.Key));
        if (r.LeftWidth < 0 || r.RightWidth < 0 || r.TopHeight < 0 || r.BottomHeight < 0) {
            Problem(where, "negative margins in [" + e.Section + "] for " + file +
                               ": the engine draws nothing there");
            return;
        }
        if (std::int64_t{r.LeftWidth} + r.RightWidth > fw) {
            Problem(where, "margins " + std::to_string(r.LeftWidth) + " + " + std::to_string(r.RightWidth) +
                               " are wider than the " + std::to_string(fw) + "-pixel frames of " + file);
        }
        if (std::int64_t{r.TopHeight} + r.BottomHeight > fh) {
            Problem(where, "margins " + std::to_string(r.TopHeight) + " + " + std::to_string(r.BottomHeight) +
                               " are taller than the " + std::to_string(fh) + "-pixel frames of " + file);
        }
    }

    void CheckCaptionButtons(const TSkinDefinition& skin, std::size_t count) {
        const int caption = skin.BorderTop->Image.height() / std::max(skin.BorderTop->FrameCount, 1);
        for (std::size_t i = 0; i < count; ++i) {
            const TDataSkinSysButton& b = *skin.SysButtons[i];
            if (b.Image.empty() || (b.Align != 0 && b.Align != 1)) continue; // others follow the caption text
            const std::int64_t w = b.Image.width() / std::max(b.FrameCount, 1);
            const std::int64_t h = b.Image.height();
            const SectionLines* section = FirstSection(b.Name);
            const std::string where = At(section ? section->Line : 0);
            const std::string name = "[" + (section ? section->Name : b.Name) + "]";
            if (b.YCoord < 0 || b.YCoord + h > caption) {
                Problem(where, name + " at Ycoord " + std::to_string(b.YCoord) + ", " + std::to_string(h) +
                                   " high, reaches outside the " + std::to_string(caption) +
                                   "-pixel caption");
            }
            if (b.Align == 0 && b.XCoord < 0) {
                Problem(where,
                        name + " at Xcoord " + std::to_string(b.XCoord) + " starts left of the window");
            }
            if (b.Align == 1 && b.XCoord < w) {
                Problem(where, name + " at Xcoord " + std::to_string(b.XCoord) + " from the right, " +
                                   std::to_string(w) + " wide, reaches past the window's right edge");
            }
        }
    }

    std::string FirstValue(std::string_view section, std::string_view key) const {
        const SectionLines* s = FirstSection(section);
        const KeyLine* k = s ? FirstKey(*s, key) : nullptr;
        return k ? k->Value : std::string();
    }

    const SkinSource& source_;
    std::ostream& out_;
    std::vector<SectionLines> sections_;
    std::set<std::string> decoded_;  // members tried as BMP
    std::set<std::string> readable_; // and read
};

} // namespace

CheckCounts CheckSkin(const fs::path& path, std::ostream& out) {
    const SkinSource source = fs::is_directory(path) ? ReadFolder(path) : ReadSkinFile(path);
    Checker checker(source, out);
    checker.Run();
    return CheckCounts{checker.problems, checker.warnings};
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const fs::path path = args[0];
    const CheckCounts counts = CheckSkin(path, out);
    out << "check: " << counts.Problems << (counts.Problems == 1 ? " problem, " : " problems, ")
        << counts.Warnings << (counts.Warnings == 1 ? " warning" : " warnings") << " in " << path.string()
        << '\n';
    return counts.Problems > 0 ? kExitFailure : kExitSuccess;
}

} // namespace skin::tool
