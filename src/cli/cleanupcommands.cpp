#include "app/errors.h"
#include "app/log.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/tablecommands.h"
#include "editing/cleanup.h"
#include "records/tablesort.h"

#include <ostream>

namespace aethrian::cli {

namespace {

const RecordKind& npcOrItem(const std::string& name, const std::string& usage) {
    if (name == "npc")
        return kNpcKind;
    if (name == "item")
        return kItemKind;
    throw ExpectedProblem("Usage: aethrian-cli " + usage);
}

} // namespace

int runSort(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "sort FILE --kind npc|item --column X -o OUT";
    Args args(argv, {{"--kind", 1}, {"--column", 1}, {"-o", 1}});
    args.expectPositional(1, 1, usage);
    const RecordKind& kind = npcOrItem(args.required("--kind"), usage);
    const std::string out = args.required("-o");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kind, &loaded);
    const size_t column = resolveColumn(table, args.required("--column"));
    applyEdit(table, sortTable(table, column,
                               &kind == &kNpcKind ? npcSortRule(column) : itemSortRule(column),
                               ctx.divider));
    saveTableFile(table, kind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

int runRound(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {{"--column", 1}, {"-o", 1}});
    args.expectPositional(1, 1, "round FILE --column X -o OUT");
    const std::string out = args.required("-o");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kNpcKind, &loaded);
    CallbackLog log = printLog(ctx);
    applyEdit(table, roundColumn(table, resolveColumn(table, args.required("--column")),
                                 ctx.divider, log));
    saveTableFile(table, kNpcKind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

int runFill(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {{"--column", 1}, {"--text", 1}, {"-o", 1}});
    args.expectPositional(1, 1, "fill FILE --column X --text T -o OUT");
    const std::string out = args.required("-o");
    const std::string text = args.required("--text");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kNpcKind, &loaded);
    applyEdit(table, fillColumn(table, resolveColumn(table, args.required("--column")), text));
    saveTableFile(table, kNpcKind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

int runCheckDuplicates(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "check duplicates npc|item FILE";
    Args args(argv, {});
    args.expectPositional(2, 2, usage);
    const RecordKind& kind = npcOrItem(args.positional()[0], usage);
    Table table = loadTableFile(args.positional()[1], kind);
    CallbackLog log = printLog(ctx);
    findDuplicates(table, ctx.divider, log);
    return 0;
}

int runCheckDropNumbers(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {});
    args.expectPositional(1, 1, "check drop-numbers NPCDATA");
    const Table table = loadTableFile(args.positional()[0], kNpcKind);
    CallbackLog log = printLog(ctx);
    findDropNumberErrors(table, ctx.divider, log);
    return 0;
}

} // namespace aethrian::cli
