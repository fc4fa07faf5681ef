#include "tests/skins/skin_folder.h"

#include "framework/rtl/text.h"
#include "skin/draw/bmp_reader.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace skintest {

namespace {

std::string Lower(const std::string& s) {
    return rtl::LowerCaseAscii(s);
}

std::string Unquote(std::string v) {
    v = rtl::Trim(v);
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\''))) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

} // namespace

Profile Profile::Parse(const std::string& text) {
    Profile p;
    std::istringstream in(text);
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        line = rtl::Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            p.sections_.push_back(
                {rtl::Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            current = &p.sections_.back();
            continue;
        }
        const std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) continue;
        current->Keys.emplace_back(rtl::Trim(line.substr(0, eq)), Unquote(line.substr(eq + 1)));
    }
    return p;
}

const Profile::Section* Profile::Find(const std::string& section) const {
    for (const Section& s : sections_) {
        if (Lower(s.Name) == Lower(section)) return &s;
    }
    return nullptr;
}

std::vector<std::string> Profile::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.Name);
    return names;
}

bool Profile::HasSection(const std::string& section) const {
    return Find(section) != nullptr;
}

std::optional<std::string> Profile::Get(const std::string& section, const std::string& key) const {
    const Section* s = Find(section);
    if (s == nullptr) return std::nullopt;
    for (const auto& [k, v] : s->Keys) {
        if (Lower(k) == Lower(key)) return v;
    }
    return std::nullopt;
}

int Profile::Int(const std::string& section, const std::string& key, int fallback) const {
    const std::optional<std::string> v = Get(section, key);
    if (!v || v->empty()) return fallback;
    try {
        std::size_t used = 0;
        int value = 0;
        if ((*v)[0] == '$') {
            value = std::stoi(v->substr(1), &used, 16);
            ++used;
        } else if (v->size() > 2 && (*v)[0] == '0' && ((*v)[1] == 'x' || (*v)[1] == 'X')) {
            value = std::stoi(v->substr(2), &used, 16);
            used += 2;
        } else {
            value = std::stoi(*v, &used, 10);
        }
        return used == v->size() ? value : fallback;
    } catch (const std::exception&) {
        return fallback;
    }
}

std::optional<skin::Pixel> Profile::Colour(const std::string& section, const std::string& key) const {
    const std::optional<std::string> v = Get(section, key);
    if (!v) return std::nullopt;
    std::istringstream in(*v);
    int r = -1, g = -1, b = -1;
    if (!(in >> r >> g >> b) || r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) return std::nullopt;
    return skin::MakePixel(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                           static_cast<std::uint8_t>(b));
}

std::vector<std::pair<std::string, std::string>> Profile::BitmapReferences() const {
    std::vector<std::pair<std::string, std::string>> refs;
    for (const Section& s : sections_) {
        for (const auto& [k, v] : s.Keys) {
            if (EndsWith(Lower(v), ".bmp")) refs.emplace_back(s.Name, k);
        }
    }
    return refs;
}

const skin::Bitmap* SkinFolder::Bitmap(const std::string& section, const std::string& key) const {
    const std::optional<std::string> ref = Definition.Get(section, key);
    if (!ref) return nullptr;
    const std::size_t cut = ref->find_last_of("\\:");
    const std::string member = cut == std::string::npos ? *ref : ref->substr(cut + 1);
    const std::size_t dot = member.rfind('.');
    if (member.empty() || dot == std::string::npos || member.substr(dot) != ".bmp") return nullptr;
    const auto it = Bitmaps.find(Lower(member));
    return it == Bitmaps.end() ? nullptr : &it->second;
}

std::uintmax_t SkinFolder::TotalBytes() const {
    std::uintmax_t total = 0;
    for (const auto& [name, size] : FileSizes)
        total += size;
    return total;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open '" + path.string() + "'");
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SkinFolder LoadSkinFolder(const std::filesystem::path& folder) {
    SkinFolder skin;
    skin.Folder = folder;
    int definitions = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const std::vector<std::uint8_t> bytes = ReadFileBytes(entry.path());
        skin.FileSizes[name] = bytes.size();
        if (EndsWith(Lower(name), ".ini")) {
            skin.Definition = Profile::Parse(std::string(bytes.begin(), bytes.end()));
            ++definitions;
        } else if (EndsWith(Lower(name), ".bmp")) {
            try {
                skin.Bitmaps[Lower(name)] = skin::ReadBmp(bytes);
            } catch (const std::exception& e) {
                throw std::runtime_error("skin member '" + name + "': " + e.what());
            }
        }
    }
    if (definitions != 1) {
        throw std::runtime_error(folder.string() + " holds " + std::to_string(definitions) +
                                 " definitions, not one");
    }
    return skin;
}

} // namespace skintest
