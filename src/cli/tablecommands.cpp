#include "cli/tablecommands.h"

#include "app/errors.h"
#include "cli/args.h"
#include "cli/command.h"

#include <ostream>

namespace aethrian::cli {

const RecordKind& recordKindByName(const std::string& name, const std::string& usage) {
    if (name == "npc")
        return kNpcKind;
    if (name == "item")
        return kItemKind;
    if (name == "pet")
        return kPetKind;
    throw ExpectedProblem("Usage: aethrian-cli " + usage);
}

Table loadTableFile(const std::string& path, const RecordKind& kind, LoadReport* report) {
    Table table;
    LoadReport r = LoadTableFile(path, kind, table);
    if (report)
        *report = std::move(r);
    return table;
}

void noteOtherLines(Context& ctx, const std::string& path, const LoadReport& report,
                    const std::string& out) {
    if (report.otherLines == 0)
        return;
    const bool one = report.otherLines == 1;
    ctx.err << "note: " << report.otherLines << (one ? " line of " : " lines of ") << path
            << (one ? " is not a record (a comment or a blank line); "
                    : " are not records (comments or blank lines); ")
            << out << " does not have " << (one ? "it" : "them") << '\n';
}

void saveTableFile(const Table& table, const RecordKind& kind, char divider,
                   const std::string& path) {
    SaveTable(table, kind, divider, path);
}

CallbackLog printLog(Context& ctx) {
    return CallbackLog([&ctx](const std::string& line) { ctx.out << line << '\n'; });
}

SideText readSideFile(const std::string& path) {
    try {
        return readSideText(path);
    } catch (const OperationError& e) {
        throw ExpectedProblem(e.what());
    }
}

int runConvert(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "convert npc|item|pet FILE -o OUT";
    Args args(argv, {});
    args.expectPositional(2, 2, usage);
    const RecordKind& kind = recordKindByName(args.positional()[0], usage);
    const std::string out = args.required("-o");
    LoadReport report;
    const Table table = loadTableFile(args.positional()[1], kind, &report);
    if (report.nulLine != 0)
        ctx.err << nulLineText(report.nulLine) << '\n';
    for (const auto& m : report.mismatches)
        ctx.err << fieldOrderLine(m) << '\n';
    saveTableFile(table, kind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[1], report, out);
    return 0;
}

} // namespace aethrian::cli
