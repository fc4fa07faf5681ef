#include "skin/data/profile.h"

#include <algorithm>

namespace skin {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr char kCtrlZ = 0x1A; // the old end-of-file mark, still found at the end of some files

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && TProfileText::IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && TProfileText::IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// What a caller's buffer of kValueBufferSize receives for value: one pair of enclosing quotes removed,
// cut to the buffer. The closing quote is dropped after the cut, counting the text after the opening
// quote against the buffer size (not its capacity of that minus the NUL): a quoted text of exactly
// the buffer size thus loses its last character as well as the cut-off quote. Kept as skins met it.
std::string CopyEntry(std::string_view value) {
    bool quoted = false;
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string result(value.substr(0, TProfileText::kValueBufferSize - 1));
    if (quoted && value.size() <= TProfileText::kValueBufferSize) result.pop_back();
    return result;
}

// The default as the caller's reading sees it: trailing spaces removed, but never its first character.
std::string_view StripDefault(std::string_view text) {
    while (text.size() > 1 && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

bool TProfileText::IsBlank(char c) noexcept {
    return (c >= '\t' && c <= '\r') || c == ' ' || c == kCtrlZ;
}

TProfileText::TProfileText(std::string_view text) {
    Parse(text);
}

void TProfileText::Parse(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    sections_.clear();
    sections_.push_back({}); // the unnamed section of the keys before the first section line

    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                sections_.push_back({std::string(TrimBlanks(line.substr(1, close - 1))), {}});
                continue;
            }
        }

        Key key;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            key.name = line;
        } else {
            key.name = TrimBlanks(line.substr(0, equals));
            key.value = std::string(TrimBlanks(line.substr(equals + 1)));
        }
        sections_.back().keys.push_back(std::move(key));
    }
}

const TProfileText::Key* TProfileText::Find(std::string_view section, std::string_view key) const {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    for (const Section& candidate : sections_) {
        if (!SameName(candidate.name, section)) continue;
        for (const Key& entry : candidate.keys) {
            if (SameName(entry.name, key)) return &entry;
        }
        return nullptr; // later sections of the same name are never searched
    }
    return nullptr;
}

std::string TProfileText::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    if (lookups_) lookups_->push_back({std::string(section), std::string(key)});
    defaultValue = StripDefault(defaultValue);
    const Key* entry = Find(section, key);
    return CopyEntry(entry && entry->value ? std::string_view(*entry->value) : defaultValue);
}

std::vector<std::string> TProfileText::ReadSectionNames() const {
    std::vector<std::string> names;
    std::size_t room = kSectionListBufferSize - 1; // the list's final NUL is always written
    for (const Section& section : sections_) {
        if (section.name.empty()) continue;
        const std::size_t needed = section.name.size() + 1;
        if (needed >= room) {
            // The name is cut to what is left before its NUL; an empty remainder reads as the list's end.
            if (room > 1) names.push_back(section.name.substr(0, room - 1));
            break;
        }
        names.push_back(section.name);
        room -= needed;
    }
    return names;
}

std::optional<std::string> DescribeNonText(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return "not 8-bit text: it starts with a UTF-16 byte-order mark";
    }
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) return "not text: NUL byte at offset " + std::to_string(nul);
    return std::nullopt;
}

} // namespace skin
