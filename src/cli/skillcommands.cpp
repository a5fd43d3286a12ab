#include "app/errors.h"
#include "checks/skilltools.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/tablecommands.h"
#include "records/textfile.h"

#include <ostream>

namespace aethrian::cli {

namespace {

SkillToolOutput printed(Context& ctx) {
    const auto line = [&ctx](const std::string& text) { ctx.out << text << '\n'; };
    return {line, line, {}, {}};
}

} // namespace

int runSkillsSort(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "skills sort skilldata|skillname FILE -o OUT";
    Args args(argv, {{"-o", 1}});
    args.expectPositional(2, 2, usage);
    const std::string& which = args.positional()[0];
    if (which != "skilldata" && which != "skillname")
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    const std::string out = args.required("-o");
    const SideText text = readSideFile(args.positional()[1]);
    const auto sorted = sortSkillLines(
        text.lines, which == "skilldata" ? SkillPane::Skilldata : SkillPane::Skillname,
        printed(ctx));
    std::string pane;
    for (const std::string& line : sorted)
        pane += line + "\r\n";
    writePaneFile(out, pane);
    return 0;
}

int runSkillsFind(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "skills find pch|grp|name SKILLDATA OTHER";
    Args args(argv, {});
    args.expectPositional(3, 3, usage);
    const std::string& which = args.positional()[0];
    if (which != "pch" && which != "grp" && which != "name")
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    const SideText skilldata = readSideFile(args.positional()[1]);
    const SideText other = readSideFile(args.positional()[2]);
    const std::string dataName = "The file " + args.positional()[1];
    const std::string otherName = "The file " + args.positional()[2];
    if (which == "pch")
        findInSkillPch(skilldata.lines, other.lines, printed(ctx), dataName, otherName);
    else
        findInSkillLines(skilldata.lines, other.lines, printed(ctx), dataName, otherName);
    return 0;
}

} // namespace aethrian::cli
