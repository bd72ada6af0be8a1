#include "core/NewProcessEnvironment.h"

#include <gtest/gtest.h>

namespace {

using trawl::StoredKind;

TEST(NewProcessEnvironment, ReferencesExpandAsTheSystemExpandsThem)
{
    const trawl::VariableLookup lookup = [](std::string_view name) -> std::optional<std::string> {
        if (name == "A")
            return "x";
        if (name == "R")
            return "%A%";
        return std::nullopt;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"%A%\\bin;%A%", "x\\bin;x"}, {"%Q%%A%", "%Q%x"}, {"%%A%", "%%A%"},
        {"50%;%A", "50%;%A"},         {"%R%", "%A%"},     {"", ""},
    };
    for (const auto& [text, expanded] : cases)
        EXPECT_EQ(trawl::ExpandReferences(text, lookup), expanded) << text;
}

std::string Shown(const std::optional<std::string>& value)
{
    return value.value_or("-");
}

TEST(NewProcessEnvironment, MachineThenUserTextBeforeExpandableOnlyPathJoined)
{
    const std::vector<trawl::StoredVariable> system = {
        {"Path", StoredKind::Expandable, "%SystemRoot%\\s;%HOME%"},
        {"TE", StoredKind::Text, "S1;S2"},
        {"SYSONLY", StoredKind::Text, "s"},
        {"DW", StoredKind::Other, "", "REG_DWORD"}};
    const std::vector<trawl::StoredVariable> user = {{"PATH", StoredKind::Expandable, "%te%;%HOME%"},
                                                     {"TE", StoredKind::Text, "U1;U2"},
                                                     {"HOME", StoredKind::Text, "h"},
                                                     {"FWD", StoredKind::Expandable, "%LATER%"},
                                                     {"LATER", StoredKind::Expandable, "l"}};
    // Asked only about names no store holds.
    const trawl::VariableLookup inherited = [](std::string_view name) {
        return std::optional<std::string>("this-" + std::string(name));
    };
    // "system|user|new process|other type"
    const std::pair<std::string, std::string> cases[] = {
        {"path", "this-SystemRoot\\s;%HOME%|U1;U2;h|this-SystemRoot\\s;%HOME%;U1;U2;h|"},
        {"te", "S1;S2|U1;U2|U1;U2|"},
        {"FWD", "-|%LATER%|%LATER%|"},
        {"SYSONLY", "s|-|s|"},
        {"DW", "-|-|-|REG_DWORD"},
        {"NONE", "-|-|-|"},
    };
    trawl::AsciiNameFolder folder;
    for (const auto& [name, shown] : cases) {
        const trawl::StoredValues values = trawl::NewProcessValues(name, system, user, inherited, folder);
        EXPECT_EQ(Shown(values.system) + "|" + Shown(values.user) + "|" + Shown(values.newProcess) + "|" +
                      values.systemOtherType + values.userOtherType,
                  shown)
            << name;
    }
}

} // namespace
