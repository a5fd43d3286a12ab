#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// What a skill tool shows as it goes: message boxes, result-list lines, progress (k of m).
struct SkillToolOutput {
    std::function<void(const std::string&)> message;
    std::function<void(const std::string&)> result;
    std::function<void(size_t, size_t)> progress;
    // When set, result lines go here with the 0-based Skilldata line they concern instead of to
    // `result`: the whole-server check locates them.
    std::function<void(size_t, const std::string&)> resultAbout;
};

// Values the tools read from a skill line (keys written with spaces around "=").
std::string_view skillIdText(std::string_view line);
std::string_view skillLevelText(std::string_view line);
std::string_view skillNameText(std::string_view line);
std::string_view skillPchName(std::string_view line);

enum class SkillPane { Skilldata, Skillname };

// Sort by ID and level: a stable sort by (identifier, level) as 32-bit integers. Each line that
// repeats an earlier line's key is reported once, in sorted order. A value that does not read ends
// the sort with the conversion error before anything is returned. Returns the sorted lines and
// shows "done!".
std::vector<std::string> sortSkillLines(const std::vector<std::string_view>& lines, SkillPane pane,
                                        const SkillToolOutput& out);

// The three finds of the Skilldata pane; each ends with "done!". Either text empty is refused
// before anything is shown (checks/sidetext.h), named by `skilldataName` or `otherName`.
void findInSkillPch(const std::vector<std::string_view>& skilldata,
                    const std::vector<std::string_view>& pch, const SkillToolOutput& out,
                    std::string_view skilldataName = "skilldata",
                    std::string_view otherName = "skill_pch");
// Skillgrp and Skillname: a Skilldata line is found when some line of `other` has its identifier
// and level, as a walk through `other` from the top would find it, conversion errors included.
void findInSkillLines(const std::vector<std::string_view>& skilldata,
                      const std::vector<std::string_view>& other, const SkillToolOutput& out,
                      std::string_view skilldataName = "skilldata",
                      std::string_view otherName = "The skill file");

} // namespace aethrian
