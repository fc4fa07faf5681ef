// The converter's one job: a decimal integer written in a base from 2 to 36.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

constexpr std::int32_t kMinBase = 2;
constexpr std::int32_t kMaxBase = 36;

// Digits of number in base (2 to 36), most significant first, upper-case letters for 10 to 35,
// no leading zeros; a negative number gets a leading "-" before the digits of its magnitude.
std::string ToBase(std::int32_t number, std::int32_t base);

// What the "开始转换" click computes from the texts of the number box and the base box: the number box is
// trimmed, the base box read as it stands. Raises rtl::EConvertError for an invalid number (first) or base,
// and rtl::Exception for a base outside 2 to 36.
std::string ConvertBoxes(std::string_view numberText, std::string_view baseText);

// Message for a base outside 2 to 36, quoting the base box's text.
std::string BaseOutOfRangeMessage(std::string_view baseText);

} // namespace app
