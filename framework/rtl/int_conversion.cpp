#include "int_conversion.h"

#include "exceptions.h"

namespace rtl {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Hexadecimal digits to a 32-bit pattern; nullopt when there are none, a non-digit or more than 32 bits.
std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// Decimal digits to a magnitude of at most 2^31; nullopt when there are none, a non-digit or overflow.
std::optional<std::uint64_t> ParseDecimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0x80000000u) return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view rest = text.substr(pos);
    std::size_t hexPrefix = 0;
    if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        hexPrefix = 1;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hexPrefix = 2;
    }
    if (hexPrefix != 0) {
        const auto bits = ParseHex(rest.substr(hexPrefix));
        if (!bits) return std::nullopt;
        const std::uint32_t pattern = negative ? 0u - *bits : *bits;
        return static_cast<std::int32_t>(pattern);
    }
    const auto magnitude = ParseDecimal(rest);
    if (!magnitude) return std::nullopt;
    if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(*magnitude));
    if (*magnitude > 0x7FFFFFFFu) return std::nullopt;
    return static_cast<std::int32_t>(*magnitude);
}

std::string InvalidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t StrToInt(std::string_view text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw EConvertError(InvalidIntegerMessage(text));
}

} // namespace rtl
