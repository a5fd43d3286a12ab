#pragma once

#include "app/progress.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// The whole-server check: every check whose input files are present, over files read once, with
// each finding located at the file line and record it concerns.

// The kinds of server file, by their usual base names ("npcdata", "npc_pch", ...), in a fixed
// order.
const std::vector<std::string>& serverFileKinds();
// kind -> path.
using ServerFiles = std::map<std::string, std::string>;

// The server files in `dir` and its sub-folders: a file named "<kind>.txt", any letter case. Where
// a kind occurs more than once, the one nearest the top wins, then the first by path, so the choice
// does not depend on the order the folder lists them. Hidden folders (".git") are not searched.
// A folder that does not exist is an expected problem.
ServerFiles findServerFiles(const std::string& dir);
// The kind a file name stands for: the longest kind name it contains, any letter case; "" for none.
std::string serverFileKindOf(std::string_view path);

struct LintCheck {
    const char* name; // stable, what --skip takes
    std::vector<const char*>
        inputs; // kinds that must all be present (field-order: any record file)
};
const std::vector<LintCheck>& lintChecks();
bool isLintCheck(std::string_view name);

struct Finding {
    std::string check;
    std::string kind;    // server file kind of the file it concerns
    std::string file;    // that file's path
    size_t line = 0;     // 1-based; 0 when the finding names no line (a check ended by an error)
    std::string record;  // record name, "" when there is none
    std::string id;      // record ID, "" when there is none
    std::string message; // the line the editor's check logs
};

struct LintReport {
    ServerFiles files;
    std::vector<std::string> checksRun; // in the order they ran
    std::vector<Finding> findings;      // sorted by file, then line
    bool halted = false;                // stopped by the halt flag before every check ran
};

// Reads every file of `files` once and runs every check not in `skip` whose inputs are present.
// A file that cannot be read ends the whole run (OperationError / ExpectedProblem); a check that
// ends with an error on the data (a number that does not read) reports that error as its finding.
LintReport lintServer(const ServerFiles& files, const std::set<std::string>& skip, char divider,
                      Progress* progress = nullptr);

} // namespace aethrian
