#include "radix.h"

namespace vbs {

int radixOf(char16_t letter) {
    if (letter == u'h' || letter == u'H') {
        return 16;
    }
    return letter == u'o' || letter == u'O' ? 8 : 0;
}

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return 99;
}

bool readRadixDigits(std::u16string_view text, int radix, std::uint32_t& value,
                     std::size_t& count) {
    std::uint64_t v = 0;
    count = 0;
    while (count < text.size() && digitValue(text[count]) < radix) {
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(digitValue(text[count]));
        ++count;
        if (v > 0xFFFFFFFFu) {
            return false;
        }
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

std::int32_t radixPattern(std::uint32_t value, std::size_t digits, int radix, bool wide) {
    const bool shortForm = !wide && value <= 0xFFFF && digits <= (radix == 16 ? 4u : 6u);
    return shortForm ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value))
                     : static_cast<std::int32_t>(value);
}

} // namespace vbs
