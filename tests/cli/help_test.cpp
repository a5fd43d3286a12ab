#include "cli/command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace aethrian::cli;

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::string joinWords(const std::string& text) {
    std::string joined;
    for (const std::string& w : words(text))
        joined += (joined.empty() ? "" : " ") + w;
    return joined;
}

} // namespace

// The manual page is generated from these texts, and commands added later must bring their
// description along: every command answers COMMAND --help with its usage line and a description
// that keeps every word of the table's text, on lines that fit a terminal.
TEST(CommandHelp, EveryCommandDescribesItsArguments) {
    for (const Command& command : commands()) {
        SCOPED_TRACE(command.name);
        std::vector<std::string> args = words(command.name);
        args.push_back("--help");
        std::ostringstream out, err;
        EXPECT_EQ(run(args, out, err), 0);
        EXPECT_EQ(err.str(), "");
        const std::string text = out.str();
        const std::string usage = std::string("Usage: aethrian-cli ") + command.usage + "\n\n";
        ASSERT_EQ(text.substr(0, usage.size()), usage);
        const std::string description = text.substr(usage.size());
        EXPECT_GE(words(description).size(), 8u) << description;
        EXPECT_EQ(description.back(), '\n');
        EXPECT_EQ(joinWords(description), joinWords(command.help));
        std::istringstream lines(description);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 79u) << line;
    }
}

TEST(CommandHelp, OverviewListsEveryUsageWithItsDescriptionIndented) {
    std::ostringstream out, err;
    EXPECT_EQ(run({"--help"}, out, err), 0);
    const std::string text = out.str();
    for (const Command& command : commands()) {
        const std::string entry = std::string("\n  ") + command.usage + "\n      ";
        EXPECT_NE(text.find(entry), std::string::npos) << command.name;
    }
    EXPECT_NE(text.find("\nOptions:\n"), std::string::npos);
    EXPECT_NE(text.find("\nExit status:\n"), std::string::npos);
}

TEST(CommandHelp, HelpAfterTheDividerOptionAndVersion) {
    std::ostringstream out, err;
    EXPECT_EQ(run({"--divider", ".", "check", "npcpos", "--help"}, out, err), 0);
    EXPECT_EQ(out.str().rfind("Usage: aethrian-cli check npcpos NPCDATA NPCPOS\n\n", 0), 0u);
    std::ostringstream version, none;
    EXPECT_EQ(run({"--version"}, version, none), 0);
    EXPECT_EQ(version.str().rfind("aethrian-cli ", 0), 0u);
    EXPECT_EQ(none.str(), "");
}
