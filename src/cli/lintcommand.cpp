#include "app/errors.h"
#include "lint/lint.h"
#include "lint/lintreport.h"
#include "cli/args.h"
#include "cli/command.h"
#include "records/textfile.h"

#include <ostream>
#include <set>

namespace aethrian::cli {

namespace {

constexpr const char* kLintUsage = "lint DIR [FILE...] [--file KIND=PATH]... [--format text|json] "
                                   "[--skip CHECK]... [--baseline JSON]";

ExpectedProblem usage(const std::string& what) {
    return ExpectedProblem(what + "\nUsage: aethrian-cli " + kLintUsage);
}

int lint(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {{"--format", 1}, {"--skip", 1, true}, {"--baseline", 1}, {"--file", 1, true}});
    if (args.positional().empty())
        throw usage("lint needs a folder");
    const std::string format = args.value("--format", "text");
    if (format != "text" && format != "json")
        throw usage("Unknown format: " + format);
    std::set<std::string> skip;
    for (const std::string& name : args.values("--skip")) {
        if (!isLintCheck(name)) {
            std::string known;
            for (const LintCheck& c : lintChecks())
                known += std::string(known.empty() ? "" : ", ") + c.name;
            throw usage("Unknown check: " + name + " (checks: " + known + ")");
        }
        skip.insert(name);
    }
    // The baseline is read before the server, so a wrong one costs nothing.
    Baseline baseline;
    if (args.has("--baseline"))
        baseline = readBaseline(readFileBytes(args.value("--baseline")));
    ServerFiles files = findServerFiles(args.positional()[0]);
    // Files named on the command line stand for their kind over what the search found.
    for (size_t i = 1; i < args.positional().size(); ++i) {
        const std::string& path = args.positional()[i];
        const std::string kind = serverFileKindOf(path);
        if (kind.empty())
            throw usage("Cannot tell which server file " + path +
                        " is: name it with --file KIND=PATH");
        files[kind] = path;
    }
    for (const std::string& spec : args.values("--file")) {
        const size_t eq = spec.find('=');
        const std::string kind = eq == std::string::npos ? std::string() : spec.substr(0, eq);
        bool known = false;
        for (const std::string& k : serverFileKinds())
            known = known || k == kind;
        if (!known || eq + 1 >= spec.size())
            throw usage(
                "--file takes KIND=PATH with KIND one of npcdata, itemdata, skilldata, npc_pch, "
                "item_pch, skill_pch, npcpos, npcgrp, npcname, itemname, weapongrp, armorgrp, "
                "etcitemgrp, skillgrp, skillname: " +
                spec);
        files[kind] = spec.substr(eq + 1);
    }
    const LintReport report = lintServer(files, skip, ctx.divider);
    size_t suppressed = 0;
    const std::vector<Finding> shown = newFindings(report, baseline, suppressed);
    ctx.out << (format == "json" ? lintJson(report, shown, suppressed)
                                 : lintText(report, shown, suppressed));
    return shown.empty() ? 0 : 1;
}

} // namespace

// Exit 1 means findings here, so every error (a missing folder, a file that cannot be read, a bad
// argument) is 2, for CI to tell a broken server from a broken run.
int runLint(Context& ctx, const std::vector<std::string>& argv) {
    try {
        return lint(ctx, argv);
    } catch (const std::exception& e) {
        ctx.out.flush();
        ctx.err << e.what() << '\n';
        return 2;
    }
}

} // namespace aethrian::cli
