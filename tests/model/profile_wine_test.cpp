// TProfileText against the platform's own profile reader: every text is written to a file and every
// section and key is read back with GetPrivateProfileStringA, the reader the skins were made for. The
// texts are a corpus of hand-made awkward cases plus many seeded random ones.
#include "skin/data/profile.h"
#include "tests/support/test_random.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using skin::TProfileText;

namespace {

// A definition text in a file of its own, deleted again at the end. Every text gets a new name: the
// platform caches profile files and must never answer from an earlier text.
class TempProfileFile {
  public:
    explicit TempProfileFile(const std::string& text) {
        static unsigned counter = 0;
        char folder[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
        path_ = std::string(folder) + "profile_diff_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter) + ".ini";
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!file) throw std::runtime_error("cannot write " + path_);
    }
    TempProfileFile(const TempProfileFile&) = delete;
    TempProfileFile& operator=(const TempProfileFile&) = delete;
    ~TempProfileFile() { DeleteFileA(path_.c_str()); }

    const char* Path() const { return path_.c_str(); }

  private:
    std::string path_;
};

std::string PlatformReadString(const TempProfileFile& file, const std::string& section,
                               const std::string& key, const std::string& defaultValue) {
    std::vector<char> buffer(TProfileText::kValueBufferSize, '\x7F');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file.Path());
    return std::string(buffer.data(), length);
}

// The list as a caller walks it: names up to the first empty one, within the count returned.
std::vector<std::string> PlatformSectionNames(const TempProfileFile& file) {
    std::vector<char> buffer(TProfileText::kSectionListBufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.Path());
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < length && buffer[pos] != '\0') {
        const std::string name(buffer.data() + pos);
        names.push_back(name);
        pos += name.size() + 1;
    }
    return names;
}

std::string Printable(const std::string& text, std::size_t limit = 160) {
    std::string out;
    for (const char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    if (text.size() > limit) out += "...(" + std::to_string(text.size()) + " bytes)";
    return out;
}

// Names worth asking for, gathered from the raw text by a rough cut that does not share the reader's
// rules: every line (at CR and LF) as it stands, trimmed, its part before "=", its bracketed part, and
// case and blank variants of each, plus names that are never there.
std::vector<std::string> CandidateNames(const std::string& text, skin::test::TestRandom& random) {
    std::set<std::string> names{"", " ", "missing", "Section", "key"};
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() > 80) line.resize(80);
        std::vector<std::string> parts{line};
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) parts.push_back(line.substr(0, equals));
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && close > open) {
            parts.push_back(line.substr(open + 1, close - open - 1));
        }
        for (std::string part : parts) {
            names.insert(part);
            const std::size_t first = part.find_first_not_of(" \t");
            const std::size_t last = part.find_last_not_of(" \t");
            if (first != std::string::npos) part = part.substr(first, last - first + 1);
            names.insert(part);
            std::string flipped = part;
            for (char& c : flipped) {
                if (random.Below(2) == 0) continue;
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
                else if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c - 'A' + 'a');
            }
            names.insert(flipped);
            names.insert(" " + part + "\t");
        }
        if (names.size() > 40) break;
    }
    return {names.begin(), names.end()};
}

// The key names as written: each line's part before "=" (or the whole line), with spaces and tabs cut
// from both ends. Every one of them is read in every listed section.
std::vector<std::string> KeysAsWritten(const std::string& text, std::size_t most) {
    std::set<std::string> keys{""};
    std::size_t pos = 0;
    while (pos <= text.size() && keys.size() < most) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string key = text.substr(pos, std::min(end, text.find('=', pos)) - pos);
        pos = end + 1;
        const std::size_t first = key.find_first_not_of(" \t");
        const std::size_t last = key.find_last_not_of(" \t");
        keys.insert(first == std::string::npos ? std::string() : key.substr(first, last - first + 1));
    }
    return {keys.begin(), keys.end()};
}

// The first and the last few listed sections (the last ones show the list's cut) and the unnamed one.
std::vector<std::string> SectionsToRead(const std::vector<std::string>& listed, std::size_t each) {
    std::set<std::string> sections{""};
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i < each || i + each >= listed.size()) sections.insert(listed[i]);
    }
    return {sections.begin(), sections.end()};
}

const std::vector<std::string> kDefaults{"", "dflt", "dflt   ", "   ", "\"quoted\"", "'q'", "\"", "  lead"};

// Compares the section list, every key as written in the first and last listed sections, and `queries`
// more reads of names the text suggests, in other letter cases and with blanks, with assorted defaults.
// Returns the number of differences (the first few are reported).
int CompareWithPlatform(const std::string& text, std::uint32_t seed, int queries) {
    skin::test::TestRandom random(seed);
    const TempProfileFile file(text);
    const TProfileText profile(text);
    int differences = 0;
    auto report = [&](const std::string& what, const std::string& expected, const std::string& actual) {
        if (++differences <= 3) {
            ADD_FAILURE() << what << "\n  text:     " << Printable(text)
                          << "\n  platform: " << Printable(expected) << "\n  ours:     " << Printable(actual);
        }
    };

    const std::vector<std::string> platformNames = PlatformSectionNames(file);
    const std::vector<std::string> ourNames = profile.ReadSectionNames();
    if (platformNames != ourNames) {
        std::string expected, actual;
        for (const auto& n : platformNames)
            expected += "[" + n + "]";
        for (const auto& n : ourNames)
            actual += "[" + n + "]";
        report("section list (" + std::to_string(platformNames.size()) + " vs " +
                   std::to_string(ourNames.size()) + ")",
               expected, actual);
    }

    auto compare = [&](const std::string& section, const std::string& key) {
        const std::string& defaultValue =
            kDefaults[random.Below(static_cast<std::uint32_t>(kDefaults.size()))];
        const std::string expected = PlatformReadString(file, section, key, defaultValue);
        const std::string actual = profile.ReadString(section, key, defaultValue);
        if (expected != actual) {
            report("[" + Printable(section) + "] " + Printable(key) + " (default '" + defaultValue + "')",
                   expected, actual);
        }
    };
    const std::vector<std::string> writtenKeys = KeysAsWritten(text, 24);
    for (const std::string& section : SectionsToRead(platformNames, 4)) {
        for (const std::string& key : writtenKeys)
            compare(section, key);
    }
    // Every platform call opens the file again, so only a sample of the variants is read.
    const std::vector<std::string> sections = CandidateNames(text, random);
    const std::vector<std::string> keys = CandidateNames(text, random);
    for (int i = 0; i < queries; ++i) {
        compare(sections[random.Below(static_cast<std::uint32_t>(sections.size()))],
                keys[random.Below(static_cast<std::uint32_t>(keys.size()))]);
    }
    return differences;
}

std::string Repeat(char c, std::size_t count) {
    return std::string(count, c);
}

// Texts whose lines make up exactly `total` bytes of section list (names and their NULs).
std::string SectionListOfSize(std::size_t total, std::size_t nameLength) {
    std::string text;
    std::size_t used = 0;
    int index = 0;
    while (used < total) {
        std::size_t length = std::min(nameLength, total - used - 1);
        if (length == 0) length = 1;
        std::string name = "S" + std::to_string(index++);
        name += Repeat('x', length > name.size() ? length - name.size() : 0);
        text += "[" + name + "]\r\nk=" + name + "\r\n";
        used += name.size() + 1;
    }
    return text;
}

std::vector<std::string> Corpus() {
    std::vector<std::string> corpus{
        "",
        " \r\n\t\r\n",
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n[Colours]\r\nButtonFace=236 233 216\r\n",
        "[A]\nx=1\ny=2\n[B]\nx=3\n",
        "[A]\rx=1\ry=2\r[B]\rx=3\r",
        "[A]\rx=1\ry=2\n[B]\nx=3\rz=4",
        "[A]\r\n\r\nx=1\r\r\ny=2\n\r[B]\r\nx=3",
        "early=1\r\nother=2\r\n[A]\r\nx=1\r\n",
        "[]\r\nx=1\r\n[A]\r\nx=2\r\n[ ]\r\nx=3\r\n[]\r\ny=4\r\n",
        "  [A]  \r\n  key  =  value  \r\n\tkey2\t=\tvalue2\t\r\n",
        "[ A ]\r\nx=1\r\n[A ]\r\nx=2\r\n[ A]\r\nx=3\r\n[A]\r\nx=4\r\n",
        "[A]tail\r\nx=1\r\n[B]]\r\nx=2\r\n[C]x]\r\nx=3\r\n[D\r\nx=4\r\n[\r\nx=5\r\n]E[\r\nx=6\r\n[=F]\r\nx="
        "7\r\n",
        "[A]\r\nx=1\r\nX=2\r\n[a]\r\nx=3\r\ny=4\r\n[A]\r\nz=5\r\n",
        "[Q]\r\na=\"v\"\r\nb='v'\r\nc=\"v'\r\nd=\"\r\ne=\"\"\r\nf='\r\ng=''\r\nh=\" spaced "
        "\"\r\ni=\"a\"b\"\r\n"
        "j= \"x\" \r\nk=\"\"\"\r\nl='\"'\r\nm=v\"\r\nn=\"\"x\r\n",
        "[C]\r\n;comment\r\n;k=v\r\n#h=w\r\nk=v ; c\r\n// s=t\r\n",
        "[N]\r\njustkey\r\nother = \r\n=v\r\n=w\r\n = x\r\nlast=\r\n",
        "\xEF\xBB\xBF[A]\r\nx=1\r\n",
        "[A]\r\nx=1\x1A\r\n\x1Ay=2\r\n\x0B\x0Cz=3\x0B\r\n",
        "[A]\r\nx=\x01v\x01\r\ny=\x1F\x1Cw\x1D\x1E\r\nz=\xA0u\xA0\r\n\xA0w=9\r\n",
        "[Hi]\r\nv=\x80\x81\x8D\x8F\x90\x9D\xFF\xE9\xB0\r\n[\xA7\xB0]\r\nk=1\r\n",
        "[A]\r\nk=1=2=3\r\n==x\r\nk2 == y\r\n",
        "[TitlebarSkin]\r\nSkinName=\"Blue "
        "Sky\"\r\n[Button1]\r\nAction=1\r\n[BUTTON1]\r\nAction=2\r\n[Buttons]\r\n",
    };
    for (const std::size_t length : {2045, 2046, 2047, 2048, 2049, 2050, 3000}) {
        corpus.push_back("[L]\r\nv=" + Repeat('a', length) + "\r\n");
        corpus.push_back("[L]\r\nv=\"" + Repeat('b', length - 2) + "\"\r\nw='" + Repeat('c', length - 1) +
                         "'\r\nx=\"" + Repeat('d', length) + "\"\r\n");
    }
    for (const std::size_t total : {16380, 16381, 16382, 16383, 16384, 16385, 20000}) {
        corpus.push_back(SectionListOfSize(total, 40));
        corpus.push_back(SectionListOfSize(total, 1));
    }
    return corpus;
}

// Random texts built from the pieces that matter: section and key lines with names from a small pool
// (case and blank variants), quotes, brackets, equals signs, blanks, odd bytes and all three line ends.
std::string RandomText(skin::test::TestRandom& random) {
    static const std::vector<std::string> kNames{"A",   "a", "Colours", "COLOURS", "Button1", "key",
                                                 "Key", "x", "Top",     "",        " ",       "\xE4\xB0"};
    static const std::vector<std::string> kPieces{"a",    "Z",    " ",    "\t",   "\"", "'",   "=",
                                                  "[",    "]",    ";",    "0",    "12", "x y", "\x1A",
                                                  "\x0B", "\xA0", "\xD7", "\x85", "\\", "\x7F"};
    static const std::vector<std::string> kEnds{"\r\n", "\n", "\r", "\r\n", "\n\r", "\r\r\n"};
    auto pick = [&random](const std::vector<std::string>& from) {
        return from[random.Below(static_cast<std::uint32_t>(from.size()))];
    };
    auto junk = [&](std::uint32_t most) {
        std::string out;
        for (std::uint32_t i = random.Below(most + 1); i > 0; --i)
            out += pick(kPieces);
        return out;
    };
    std::string text;
    const std::uint32_t lines = random.Below(30);
    for (std::uint32_t i = 0; i < lines; ++i) {
        std::string line;
        switch (random.Below(6)) {
        case 0:
            line = junk(2) + "[" + junk(1) + pick(kNames) + junk(1) + "]" + junk(2);
            break;
        case 1:
        case 2:
        case 3:
            line = junk(1) + pick(kNames) + junk(1) + "=" + junk(8);
            break;
        case 4:
            line = junk(6);
            break;
        default:
            line = pick(kNames) + "=" + junk(1) + "\"" + junk(5) + (random.Below(2) ? "\"" : "'") + junk(1);
        }
        text += line;
        if (i + 1 < lines || random.Below(2)) text += pick(kEnds);
    }
    return text;
}

TEST(ProfileTextAgainstPlatform, CorpusOfAwkwardTextsReadsAlike) {
    const std::vector<std::string> corpus = Corpus();
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        SCOPED_TRACE("corpus text " + std::to_string(i));
        EXPECT_EQ(CompareWithPlatform(corpus[i], static_cast<std::uint32_t>(i + 1),
                                      corpus[i].size() > 4096 ? 120 : 600),
                  0);
    }
}

TEST(ProfileTextAgainstPlatform, RandomTextsReadAlike) {
    skin::test::TestRandom random(20240611);
    int failedTexts = 0;
    for (int i = 0; i < 400 && failedTexts < 5; ++i) {
        const std::string text = RandomText(random);
        SCOPED_TRACE("random text " + std::to_string(i));
        if (CompareWithPlatform(text, random.Next(), 120) != 0) ++failedTexts;
    }
    EXPECT_EQ(failedTexts, 0);
}

} // namespace
