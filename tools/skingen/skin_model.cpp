#include "tools/skingen/skin_model.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"

#include <charconv>

namespace skingen {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return rtl::LowerCaseAscii(a) == rtl::LowerCaseAscii(b);
}

} // namespace

Section& Section::Set(std::string_view key, std::string_view value) {
    for (auto& [k, v] : Keys) {
        if (SameName(k, key)) {
            v = value;
            return *this;
        }
    }
    Keys.emplace_back(std::string(key), std::string(value));
    return *this;
}

Section& Section::Set(std::string_view key, int value) {
    return Set(key, std::to_string(value));
}

const std::string* Section::Find(std::string_view key) const {
    for (const auto& [k, v] : Keys) {
        if (SameName(k, key)) return &v;
    }
    return nullptr;
}

int Section::Int(std::string_view key, int fallback) const {
    const std::string* v = Find(key);
    if (v == nullptr) return fallback;
    int out = 0;
    const char* end = v->data() + v->size();
    const auto [ptr, ec] = std::from_chars(v->data(), end, out);
    return ec == std::errc{} && ptr == end ? out : fallback;
}

Section& Skin::AddSection(std::string_view name) {
    if (FindSection(name) != nullptr) throw rtl::Exception("section [" + std::string(name) + "] added twice");
    sections_.push_back(Section{std::string(name), {}});
    return sections_.back();
}

const SkinImage& Skin::AddImage(SkinImage image) {
    if (FindImage(image.File) != nullptr) throw rtl::Exception("image '" + image.File + "' added twice");
    const int length = image.Vertical ? image.Pixels.height() : image.Pixels.width();
    if (image.Frames < 1 || image.Pixels.empty() || length % image.Frames != 0) {
        throw rtl::Exception("image '" + image.File + "': " + std::to_string(length) +
                             " pixels do not hold " + std::to_string(image.Frames) + " equal frames");
    }
    if (image.FrameNames.size() != static_cast<std::size_t>(image.Frames)) {
        throw rtl::Exception("image '" + image.File + "': " + std::to_string(image.FrameNames.size()) +
                             " frame names for " + std::to_string(image.Frames) + " frames");
    }
    images_.push_back(std::move(image));
    return images_.back();
}

const Section* Skin::FindSection(std::string_view name) const {
    for (const Section& s : sections_) {
        if (SameName(s.Name, name)) return &s;
    }
    return nullptr;
}

const Section& Skin::GetSection(std::string_view name) const {
    const Section* s = FindSection(name);
    if (s == nullptr) throw rtl::Exception("the skin has no section [" + std::string(name) + "]");
    return *s;
}

Section& Skin::GetSection(std::string_view name) {
    return const_cast<Section&>(static_cast<const Skin&>(*this).GetSection(name));
}

const SkinImage* Skin::ImageOf(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return nullptr;
    const std::string* file = s->Find(key);
    return file == nullptr ? nullptr : FindImage(*file);
}

const SkinImage* Skin::FindImage(std::string_view file) const {
    for (const SkinImage& i : images_) {
        if (SameName(i.File, file)) return &i;
    }
    return nullptr;
}

std::string ColourText(skin::Pixel p) {
    return std::to_string(skin::RedOf(p)) + " " + std::to_string(skin::GreenOf(p)) + " " +
           std::to_string(skin::BlueOf(p));
}

} // namespace skingen
