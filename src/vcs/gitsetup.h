#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// The files git hands to the record-aware drivers.
inline constexpr std::string_view kRecordFilePatterns[] = {"npcdata*.txt", "itemdata*.txt",
                                                           "skilldata*.txt"};

// `existing` (a .gitattributes text) with a "<pattern> diff=aethrian merge=aethrian" line added
// for every pattern that lacks one; the lines added go to `added`. Nothing added: the text as it
// was, so a second set-up changes nothing.
std::string withAttributeLines(std::string_view existing, std::vector<std::string>& added);

// What a shell should run to start `program`, quoted for sh (git runs drivers through one).
std::string shellQuoted(std::string_view program);

// The configuration that names the drivers: (key, value) pairs.
std::vector<std::pair<std::string, std::string>> gitDriverConfig(const std::string& program);

// `git setup`: the attributes of the current work tree's top folder and the drivers'
// configuration, in the repository or (`global`) the user's git configuration. Only what is
// missing or different is written. Returns one line per item saying what was done.
// `program` is the CLI's own path, which the configuration runs.
std::vector<std::string> setupGit(const std::string& program, bool global);

} // namespace aethrian
