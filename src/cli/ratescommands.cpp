#include "app/errors.h"
#include "cli/args.h"
#include "cli/command.h"
#include "rates/compare.h"
#include "rates/rateschecker.h"
#include "records/textfile.h"

#include <array>
#include <ostream>

namespace aethrian::cli {

namespace {

void printRates(std::ostream& out, const std::array<std::string, 15>& texts) {
    out << "Monster";
    for (const char* label : kRateColumnLabels)
        out << '\t' << label;
    out << '\n';
    for (size_t monster = 0; monster < 3; ++monster) {
        out << kRateMonsterLabels[monster];
        for (int column = 0; column < 5; ++column) {
            for (size_t i = 0; i < kRateMarks.size(); ++i)
                if (kRateMarks[i].monster == static_cast<int>(monster) &&
                    kRateMarks[i].column == column)
                    out << '\t' << texts[i];
        }
        out << '\n';
    }
}

void printGrid(std::ostream& out, const CompareResult& result) {
    // One write per row: a stream insertion per cell cost more than the comparison itself.
    std::string line;
    for (const Table::Row& row : result.grid.rows()) {
        line.clear();
        for (size_t c = 0; c < row.size(); ++c) {
            if (c)
                line += '\t';
            line += row[c];
        }
        line += '\n';
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    out << '\n';
    for (const std::string& name : result.notFound)
        out << name << '\n';
}

} // namespace

int runRates(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {});
    args.expectPositional(1, 1, "rates NPCDATA");
    std::array<std::string, 15> references;
    for (size_t i = 0; i < references.size(); ++i)
        references[i] = kRateMarks[i].referenceDefault;
    const RatesRun run = checkRatesFile(args.positional()[0], references, ctx.divider);
    std::array<std::string, 15> results;
    for (size_t i = 0; i < results.size(); ++i)
        results[i] = run.results[i].text.value_or("");
    printRates(ctx.out, results); // also what the page shows when an error ended the check
    if (run.error)
        std::rethrow_exception(run.error);
    return 0;
}

int runCompare(Context& ctx, const std::vector<std::string>& argv) {
    const std::string usage =
        "compare npc|item|skill FIRST [SECOND] [--only-differences] [--show-missing] [--x-rate]";
    Args args(argv, {{"--only-differences", 0}, {"--show-missing", 0}, {"--x-rate", 0}});
    args.expectPositional(2, 3, usage);
    const std::string& kind = args.positional()[0];
    const CompareMember* member = kind == "npc"     ? &kNpcCompare
                                  : kind == "item"  ? &kItemCompare
                                  : kind == "skill" ? &kSkillCompare
                                                    : nullptr;
    if (!member || (args.has("--x-rate") && member != &kNpcCompare))
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
    CompareOptions options;
    options.onlyDifferences = args.has("--only-differences");
    options.showMissing = args.has("--show-missing");
    options.xRate = args.has("--x-rate");
    options.divider = ctx.divider;
    const std::vector<std::string>& files = args.positional();
    CompareRun run =
        compareFiles(*member, files[1], files.size() == 3 ? files[2] : std::string(), options);
    printGrid(ctx.out, run.result); // rows found before an error are printed all the same
    if (run.error)
        std::rethrow_exception(run.error);
    return 0;
}

} // namespace aethrian::cli
