#include "app/core/base_conversion.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/int_conversion.h"
#include "framework/rtl/text.h"

namespace app {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

} // namespace

std::string ToBase(std::int32_t number, std::int32_t base) {
    if (base < kMinBase || base > kMaxBase) throw rtl::Exception(BaseOutOfRangeMessage(std::to_string(base)));
    // 64 bits so that the magnitude of -2147483648 is representable.
    std::int64_t n = number < 0 ? -static_cast<std::int64_t>(number) : number;
    std::string digits;
    while (n >= base) {
        digits.insert(digits.begin(), kDigits[static_cast<std::size_t>(n % base)]);
        n /= base;
    }
    digits.insert(digits.begin(), kDigits[static_cast<std::size_t>(n)]);
    if (number < 0) digits.insert(digits.begin(), '-');
    return digits;
}

std::string BaseOutOfRangeMessage(std::string_view baseText) {
    return "'" + std::string(baseText) + "' is not a valid base: enter a number from 2 to 36";
}

std::string ConvertBoxes(std::string_view numberText, std::string_view baseText) {
    const std::int32_t number = rtl::StrToInt(rtl::Trim(numberText));
    const std::int32_t base = rtl::StrToInt(baseText);
    if (base < kMinBase || base > kMaxBase) throw rtl::Exception(BaseOutOfRangeMessage(baseText));
    return ToBase(number, base);
}

} // namespace app
