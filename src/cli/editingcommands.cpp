#include "app/errors.h"
#include "app/log.h"
#include "app/numbers.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/tablecommands.h"
#include "editing/adddrop.h"
#include "editing/valuechange.h"

#include <chrono>
#include <ostream>
#include <random>

namespace aethrian::cli {

namespace {

// Log lines go out as they are written, so the lines before an error stay printed.

} // namespace

int runChange(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage =
        "change FILE --column X [--row R] (--add V|--subtract V|--multiply V|--divide V|"
        "--warp FROM TO) [--smart LOW HIGH] [--adena-only] -o OUT";
    Args args(argv, {{"--column", 1},
                     {"--row", 1},
                     {"--add", 1},
                     {"--subtract", 1},
                     {"--multiply", 1},
                     {"--divide", 1},
                     {"--warp", 2},
                     {"--smart", 2},
                     {"--adena-only", 0},
                     {"-o", 1}});
    args.expectPositional(1, 1, usage);
    ChangeDialog dialog;
    int chosen = 0;
    const std::pair<const char*, ChangeOption> ops[] = {{"--add", ChangeOption::Add},
                                                        {"--subtract", ChangeOption::Subtract},
                                                        {"--multiply", ChangeOption::Multiply},
                                                        {"--divide", ChangeOption::Divide},
                                                        {"--warp", ChangeOption::Warp}};
    for (const auto& [name, op] : ops) {
        if (!args.has(name))
            continue;
        ++chosen;
        dialog.option = op;
        if (op == ChangeOption::Warp) {
            dialog.from = args.values(name)[0];
            dialog.to = args.values(name)[1];
        } else {
            dialog.by = args.value(name);
        }
    }
    if (chosen != 1)
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    if (args.has("--smart")) {
        dialog.smart = true;
        dialog.low = args.values("--smart")[0];
        dialog.high = args.values("--smart")[1];
    }
    dialog.adenaOnly = args.has("--adena-only");
    const std::string out = args.required("-o");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kNpcKind, &loaded);
    const size_t column = resolveColumn(table, args.required("--column"));
    const size_t row = args.has("--row") ? resolveRow(table, args.value("--row")) : 0;
    prepareChange(dialog, ctx.divider);
    CallbackLog log = printLog(ctx);
    applyEdit(table, runValueChange(table, dialog, row, column, ctx.divider, log));
    saveTableFile(table, kNpcKind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

int runAddDrop(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage =
        "add-drop FILE --item NAME [--min V A B] [--max V A B] [--chance V A B] "
        "[--min-level N] [--kind K] [--clan C] [--percent P] [--seed S] [--row R] -o OUT";
    Args args(argv, {{"--item", 1},
                     {"--min", 3},
                     {"--max", 3},
                     {"--chance", 3},
                     {"--min-level", 1},
                     {"--kind", 1},
                     {"--clan", 1},
                     {"--percent", 1},
                     {"--seed", 1},
                     {"--row", 1},
                     {"-o", 1}});
    args.expectPositional(1, 1, usage);
    AddDropSettings s;
    s.item = args.required("--item");
    for (auto [name, formula] : {std::pair{"--min", &s.min}, std::pair{"--max", &s.max},
                                 std::pair{"--chance", &s.chance}}) {
        if (args.has(name)) {
            const auto& v = args.values(name);
            *formula = {v[0], v[1], v[2]};
        }
    }
    s.minLevel = args.value("--min-level", s.minLevel);
    s.kind = args.value("--kind");
    s.clan = args.value("--clan");
    s.percent = args.value("--percent", s.percent);
    const std::string out = args.required("-o");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kNpcKind, &loaded);
    CallbackLog log = printLog(ctx);
    if (args.has("--row")) {
        applyEdit(table,
                  addDropToRow(table, resolveRow(table, args.value("--row")), s, ctx.divider, log));
    } else {
        const auto seed = args.has("--seed")
                              ? static_cast<std::uint32_t>(parseInt(args.value("--seed")))
                              : static_cast<std::uint32_t>(
                                    std::chrono::steady_clock::now().time_since_epoch().count());
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> percent(0, 99);
        applyEdit(table,
                  addDropToDatabase(table, s, ctx.divider, log, [&] { return percent(rng); }));
    }
    saveTableFile(table, kNpcKind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

} // namespace aethrian::cli
