// TProfileText: an INI-style text held in memory and read exactly the way the Windows profile-file
// functions read a file (GetPrivateProfileStringA), on which skin definitions rely. Skins were written
// against that reader, quirks included, so the quirks are kept (tests/model/profile_wine_test.cpp holds
// the platform to them):
//
// - Lines end at CR or LF. A line is trimmed of blanks (tab, LF, vertical tab, form feed, CR, space and
//   Ctrl-Z). A line starting with "[" that has a "]" after it names a section: the text up to the last
//   "]", trimmed; the rest of the line is ignored. Anything else is a key line: the name before the
//   first "=" and the value after it, both trimmed; a line without "=" is a key without a value, which
//   reads as missing. There are no comments: ";x=1" is the key ";x".
// - Keys before the first section line belong to the unnamed section (section name ""); later "[]" or
//   "[ ]" sections are unnamed too and so never reached, since the first section of a name wins.
//   Unnamed sections are not listed. A key line "=v" is a key with an empty name.
// - Section and key names are compared without regard to ASCII letter case, after trimming the names
//   asked for; the first section of a name counts, and in it the first key of a name.
// - A value (or the default) loses one pair of enclosing quotes, both ' or both ", and is cut to the
//   2047 characters of a 2048-byte buffer; the default first loses its trailing spaces.
// - The section names are listed in text order, duplicates included, as far as they fit a 16384-byte
//   buffer: the name that does not fit is cut and ends the list.
//
// The text is 8-bit and names are compared byte-wise apart from ASCII letter case: bytes above 127 are
// never folded, as no code page is assumed. A UTF-8 byte-order mark at the start is skipped.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class TProfileText {
  public:
    // The buffer sizes of the reading the skins were made for: a value keeps at most 2047 characters,
    // and the section name list fills at most 16384 bytes (every name with its NUL, one more NUL last).
    static constexpr std::size_t kValueBufferSize = 2048;
    static constexpr std::size_t kSectionListBufferSize = 16384;

    TProfileText() = default;
    explicit TProfileText(std::string_view text);

    // The value of key in section, or defaultValue when the section, the key or its value is missing;
    // either passes through the quote removal and the 2047-character cut.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // The section names in text order, as far as the 16384-byte list buffer holds them.
    std::vector<std::string> ReadSectionNames() const;

    // Every ReadString from now on appends (section, key) as asked to log; null stops the logging.
    struct Lookup {
        std::string Section;
        std::string Key;
    };
    void LogLookups(std::vector<Lookup>* log) noexcept { lookups_ = log; }

    // Blank as the profile reader trims it.
    static bool IsBlank(char c) noexcept;

  private:
    struct Key {
        std::string name;
        std::optional<std::string> value; // none: a line without "="
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };

    void Parse(std::string_view text);
    const Key* Find(std::string_view section, std::string_view key) const;

    std::vector<Section> sections_;
    std::vector<Lookup>* lookups_ = nullptr;
};

// Why text is not a skin definition, or nothing when it is one: a definition is 8-bit text and never
// holds a NUL byte (a UTF-16 text, a bitmap or other binary data always does) nor starts with a UTF-16
// byte-order mark.
std::optional<std::string> DescribeNonText(std::string_view text);

} // namespace skin
