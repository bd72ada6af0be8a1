#include "TextCount.h"

namespace trawl {

namespace {

// Length of the UTF-8 sequence starting at `at`, 0 when it is not a valid
// one (stray continuation, overlong form, surrogate, beyond U+10FFFF).
// `units` gets the number of UTF-16 units the character takes.
size_t SequenceLength(std::string_view text, size_t at, size_t& units)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    units = 1;
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return 0;
    units = value >= 0x10000 ? 2 : 1;
    return length;
}

// Walks the text character by character; false when it is not UTF-8.
template <typename Visit>
bool ForEachCharacter(std::string_view text, Visit visit)
{
    for (size_t at = 0; at < text.size();) {
        size_t units = 1;
        const size_t length = SequenceLength(text, at, units);
        if (length == 0)
            return false;
        if (!visit(at, length, units))
            return true;
        at += length;
    }
    return true;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    return ForEachCharacter(text, [](size_t, size_t, size_t) { return true; });
}

size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    if (!ForEachCharacter(text, [&](size_t, size_t, size_t) { return ++count, true; }))
        return text.size();
    return count;
}

size_t Utf16Length(std::string_view text)
{
    size_t length = 0;
    if (!ForEachCharacter(text, [&](size_t, size_t, size_t units) { return length += units, true; }))
        return text.size();
    return length;
}

std::string_view FirstCharacters(std::string_view text, size_t count)
{
    if (!IsValidUtf8(text))
        return text.substr(0, count);
    size_t end = 0;
    size_t taken = 0;
    ForEachCharacter(text, [&](size_t at, size_t length, size_t) {
        if (taken == count)
            return false;
        ++taken;
        end = at + length;
        return true;
    });
    return text.substr(0, end);
}

} // namespace trawl
