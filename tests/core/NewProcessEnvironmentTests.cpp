#include "core/NameFolder.h"
#include "core/NewProcessEnvironment.h"

#include <gtest/gtest.h>

namespace {

using trawl::StoredKind;

TEST(NewProcessEnvironment, MachineThenUserTextBeforeExpandableOnlyPathJoined)
{
    const std::vector<trawl::StoredVariable> system = {
        {"Path", StoredKind::Expandable, "%SystemRoot%\\s;%HOME%"},
        {"TE", StoredKind::Text, "S1;S2"},
        {"DW", StoredKind::Other, "", "REG_DWORD"}};
    const std::vector<trawl::StoredVariable> user = {{"PATH", StoredKind::Expandable, "%te%;%HOME%"},
                                                     {"ODD", StoredKind::Expandable, "%NOPE%%R%;%%HOME%"},
                                                     {"TE", StoredKind::Text, "U1;U2"},
                                                     {"HOME", StoredKind::Text, "h"},
                                                     {"R", StoredKind::Text, "%HOME%"}};
    // Asked only about names no store holds.
    const trawl::VariableLookup inherited = [](std::string_view name) {
        return name == "NOPE" ? std::nullopt : std::optional<std::string>("this-" + std::string(name));
    };
    // "system|user|new process|other type"
    const std::pair<std::string, std::string> cases[] = {
        {"path", "this-SystemRoot\\s;%HOME%|U1;U2;h|this-SystemRoot\\s;%HOME%;U1;U2;h|"},
        {"ODD", "-|%NOPE%%HOME%;%%HOME%|%NOPE%%HOME%;%%HOME%|"},
        {"te", "S1;S2|U1;U2|U1;U2|"},
        {"DW", "-|-|-|REG_DWORD"}};
    trawl::AsciiNameFolder folder;
    for (const auto& [name, shown] : cases) {
        const trawl::StoredValues v = trawl::NewProcessValues(name, system, user, inherited, folder);
        EXPECT_EQ(v.system.value_or("-") + "|" + v.user.value_or("-") + "|" + v.newProcess.value_or("-") +
                      "|" + v.systemOtherType + v.userOtherType,
                  shown)
            << name;
    }
}

} // namespace
