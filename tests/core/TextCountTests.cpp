#include "core/TextCount.h"

#include <gtest/gtest.h>

namespace trawl {
namespace {

TEST(TextCount, CountsAndCutsByCharacter)
{
    struct Case {
        const char* name;
        std::string text;
        bool utf8;
        size_t characters;
        size_t utf16;
        std::string firstTwo;
    };
    const Case cases[] = {
        {"empty", "", true, 0, 0, ""},
        {"ASCII", "abc", true, 3, 3, "ab"},
        {"two-byte", "caf\xC3\xA9", true, 4, 4, "ca"},
        {"three-byte", "\xE6\x97\xA5\xE6\x9C\xAC.txt", true, 6, 6, "\xE6\x97\xA5\xE6\x9C\xAC"},
        {"four-byte", "\xF0\x9F\x98\x80x", true, 2, 3, "\xF0\x9F\x98\x80x"},
        // Not UTF-8: an older code page's text counts a byte as a character.
        {"Latin-1 byte", "caf\xE9", false, 4, 4, "ca"},
        {"cut sequence", "a\xE6\x97", false, 3, 3, "a\xE6"},
        {"overlong", "\xC0\xAF", false, 2, 2, "\xC0\xAF"},
        {"surrogate", "\xED\xA0\x80", false, 3, 3, "\xED\xA0"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, 4, 4, "\xF4\x90"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.text), c.utf8);
        EXPECT_EQ(CharacterCount(c.text), c.characters);
        EXPECT_EQ(Utf16Length(c.text), c.utf16);
        EXPECT_EQ(FirstCharacters(c.text, 2), c.firstTwo);
        EXPECT_EQ(FirstCharacters(c.text, 100), c.text);
    }
}

} // namespace
} // namespace trawl
