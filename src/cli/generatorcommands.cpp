#include "app/errors.h"
#include "app/log.h"
#include "app/numbers.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/tablecommands.h"
#include "generators/clientdump.h"
#include "generators/duals.h"
#include "records/textfile.h"

#include <ostream>

namespace aethrian::cli {

int runExportPhp(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage = "export-php weapongrp|etcitemgrp|itemname FILE --first-id N";
    Args args(argv, {{"--first-id", 1}});
    args.expectPositional(2, 2, usage);
    const std::string& kind = args.positional()[0];
    PhpExport what;
    if (kind == "weapongrp")
        what = PhpExport::Weapon;
    else if (kind == "etcitemgrp")
        what = PhpExport::EtcItem;
    else if (kind == "itemname")
        what = PhpExport::ItemName;
    else
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    const std::string firstId = args.required("--first-id");
    const ClientDumpFile dump = loadClientDumpFile(
        args.positional()[1], what == PhpExport::ItemName ? kItemNameDumpMarks : kItemDumpMarks);
    // Written as they are made, the lines before an error too.
    exportPhpInParts(
        dump.table, what, parseInt(firstId), ctx.divider, [&](std::vector<std::string>& lines) {
            for (const std::string& line : lines)
                ctx.out.write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
        });
    return 0;
}

int runDuals(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage =
        "duals ITEMDATA --main R --second R --id NEWID [--grade G] [--ss N] [--sps N] -o OUT";
    Args args(argv, {{"--main", 1},
                     {"--second", 1},
                     {"--id", 1},
                     {"--grade", 1},
                     {"--ss", 1},
                     {"--sps", 1},
                     {"-o", 1}});
    args.expectPositional(1, 1, usage);
    const std::string out = args.required("-o");
    const std::string id = args.required("--id");
    LoadReport loaded;
    Table table = loadTableFile(args.positional()[0], kItemKind, &loaded);
    const size_t main = resolveRow(table, args.required("--main"));
    const size_t second = resolveRow(table, args.required("--second"));
    DualValues values = recomputeDual(table, main, second);
    values.grade = args.value("--grade", values.grade);
    values.soulshots = args.value("--ss", values.soulshots);
    values.spiritshots = args.value("--sps", values.spiritshots);
    CallbackLog log([&ctx](const std::string& line) { ctx.out << line << '\n'; });
    applyEdit(table, addDual(table, main, second, id, values, log));
    saveTableFile(table, kItemKind, ctx.divider, out);
    noteOtherLines(ctx, args.positional()[0], loaded, out);
    return 0;
}

} // namespace aethrian::cli
