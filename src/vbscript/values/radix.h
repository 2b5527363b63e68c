#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// &H (hexadecimal) and &O (octal) numbers: one rule for literals in the source and for numeric
// text ("&HFF" read by CLng or a comparison).
namespace vbs {

// The radix the letter after "&" names: 16 for H, 8 for O (either case), 0 for anything else.
int radixOf(char16_t letter);
// The value of a hexadecimal digit; 99 for a character that is none, so that
// `digitValue(c) < radix` tells whether c is a digit of that radix.
int digitValue(char16_t c);
// Reads the digits of `radix` at the start of `text`: how many there are and their value.
// False when the value passes 32 bits; `count` then includes the digit that did it.
bool readRadixDigits(std::u16string_view text, int radix, std::uint32_t& value, std::size_t& count);
// What the digits stand for. Up to four hexadecimal (six octal) digits whose value fits 16 bits
// are a 16-bit pattern, so &HFFFF is -1, unless `wide` (a literal written with a trailing "&",
// &HFFFF& is 65535); longer ones are a 32-bit pattern, &HFFFFFFFF is -1.
std::int32_t radixPattern(std::uint32_t value, std::size_t digits, int radix, bool wide);

} // namespace vbs
