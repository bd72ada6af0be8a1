#include "core/AppExecAlias.h"

#include <gtest/gtest.h>

#include <vector>

namespace trawl {
namespace {

using namespace std::literals;

std::vector<uint8_t> Buffer(std::u16string_view strings, uint32_t tag = appExecLinkTag, char16_t version = 3,
                            int lengthOffBy = 0)
{
    const auto length = char16_t(4 + 2 * strings.size() + lengthOffBy);
    std::vector<uint8_t> bytes;
    for (char16_t unit :
         std::u16string{char16_t(tag), char16_t(tag >> 16), length, 0, version, 0} + std::u16string(strings))
        bytes.insert(bytes.end(), {uint8_t(unit), uint8_t(unit >> 8)});
    return bytes;
}

TEST(AppExecAlias, ReadsAWholeAliasAndNothingElse)
{
    const auto alias = u"Pkg_8wekyb3d8bbwe\0Pkg_8wekyb3d8bbwe!App\0C:\\Caf\u00E9.exe\0"sv;
    const std::tuple<const char*, std::vector<uint8_t>, const char*> cases[] = {
        {"three strings", Buffer(alias), "Pkg_8wekyb3d8bbwe|Pkg_8wekyb3d8bbwe!App|C:\\Caf\xC3\xA9.exe"},
        {"with the app's type", Buffer(u"p\0a\0t\0Desktop\0"sv), "p|a|t"},
        {"other tag", Buffer(alias, 0xA000000C), ""},
        {"other version", Buffer(alias, appExecLinkTag, 2), ""},
        {"odd length", Buffer(alias, appExecLinkTag, 3, -1), ""},
        {"target cut by the length", Buffer(alias, appExecLinkTag, 3, -2), ""},
        {"two strings", Buffer(u"p\0a\0"sv), ""}};
    for (const auto& [name, bytes, expected] : cases) {
        const std::optional<AppExecAlias> a = ParseAppExecAlias(bytes);
        EXPECT_EQ(a ? a->packageId + "|" + a->appUserModelId + "|" + a->targetPath : "", expected) << name;
    }
}

} // namespace
} // namespace trawl
