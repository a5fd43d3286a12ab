#pragma once

#include "lint/lint.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// The whole-server check's report in its two printed forms, and the baseline that hides known
// findings.

// Findings already known: those of an earlier JSON report.
struct Baseline {
    // A finding's identity without its line number (which moves when records are added): check,
    // file (its kind when the report names it among its files, else the path), record, message.
    std::map<std::string, size_t> counts;
};

// Reads an earlier `--format json` report. Anything that is not such a report (malformed JSON,
// a missing "findings" list, nesting deeper than a report has) is an ExpectedProblem naming
// what is wrong; nothing of a malformed text is used.
Baseline readBaseline(std::string_view json);

// The findings the baseline does not cover, each covered finding using up one entry, so two
// equal findings where the baseline had one leave one. `suppressed` receives how many it hid.
std::vector<Finding> newFindings(const LintReport& report, const Baseline& baseline,
                                 size_t& suppressed);

// Counts per check, for every check that ran.
std::map<std::string, size_t> countsPerCheck(const LintReport& report,
                                             const std::vector<Finding>& shown);

// "FILE:LINE: CHECK: MESSAGE" per finding ("FILE: CHECK: MESSAGE" when it names no line), then the
// summary line.
std::string lintText(const LintReport& report, const std::vector<Finding>& shown,
                     size_t suppressed);
// {"files": {kind: path}, "findings": [{check, file, line, record, id, message}],
//  "summary": {"checks": {check: count}, "total": n, "suppressed": n}}; absent line, record and
// id are null.
std::string lintJson(const LintReport& report, const std::vector<Finding>& shown,
                     size_t suppressed);

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text);

} // namespace aethrian
