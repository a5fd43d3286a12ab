// Record files in git: textconv, record-level diff, the three-way merge driver and the set-up.
#include "app/errors.h"
#include "cli/args.h"
#include "cli/command.h"
#include "vcs/gitsetup.h"
#include "vcs/merge.h"
#include "vcs/recorddiff.h"

#include <filesystem>
#include <ostream>

namespace aethrian::cli {

namespace {

// diff and merge answer 0 or 1 for their result, as diff(1) and git's drivers do, so every
// failure, an expected problem included, is 2.
template <class Fn> int withTroubleAsTwo(Fn&& fn) {
    try {
        return fn();
    } catch (const ExpectedProblem& e) {
        throw OperationError(e.what());
    }
}

// The path the drivers' configuration starts: this program itself.
std::string ownPath() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("aethrian-cli") : self.string();
}

} // namespace

int runTextconv(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {});
    args.expectPositional(1, 1, "textconv FILE");
    const RecordFile file = readRecordFile(args.positional()[0]);
    writeTextconv(file, [&](std::string_view chunk) {
        ctx.out.write(chunk.data(), static_cast<long>(chunk.size()));
    });
    return 0;
}

int runDiff(Context& ctx, const std::vector<std::string>& argv) {
    return withTroubleAsTwo([&] {
        Args args(argv, {});
        const auto& words = args.positional();
        // As GIT_EXTERNAL_DIFF: path old-file old-hex old-mode new-file new-hex new-mode (and,
        // for a rename, the new path and a message), or the path alone for an unmerged file.
        const bool gitForm = words.size() == 7 || words.size() == 9;
        if (words.size() == 1) {
            ctx.out << "* Unmerged path " << words[0] << '\n';
            return 0;
        }
        if (!gitForm)
            args.expectPositional(2, 2, "diff OLD NEW");
        const std::string& oldPath = gitForm ? words[1] : words[0];
        const std::string& newPath = gitForm ? words[4] : words[1];
        TextLines oldLines = readRecordFileLines(oldPath);
        TextLines newLines = readRecordFileLines(newPath);
        const RecordFileKind kind = commonKind({&oldLines, &newLines}, {oldPath, newPath});
        const RecordFile oldFile = indexRecordFile(std::move(oldLines), kind);
        const RecordFile newFile = indexRecordFile(std::move(newLines), kind);
        const DiffReport report = diffRecordFiles(oldFile, newFile);
        if (gitForm && report.differ)
            ctx.out << "--- a/" << words[0] << "\n+++ b/"
                    << (words.size() == 9 ? words[7] : words[0]) << '\n';
        for (const std::string& line : report.lines)
            ctx.out << line << '\n';
        // git stops at an external diff that exits other than 0: there a difference is 0 too.
        return report.differ && !gitForm ? 1 : 0;
    });
}

int runMerge(Context& ctx, const std::vector<std::string>& argv) {
    return withTroubleAsTwo([&] {
        const std::string usage = "merge BASE OURS THEIRS -o OUT [--name PATH]";
        Args args(argv, {{"--name", 1}});
        args.expectPositional(3, 3, usage);
        const std::string out = args.required("-o");
        const auto& p = args.positional();
        const std::vector<std::string> conflicts = mergeFiles(p[0], p[1], p[2], out, ctx.divider);
        const std::string lead = args.has("--name") ? args.value("--name") + ": " : std::string();
        for (const std::string& c : conflicts)
            ctx.err << lead << c << '\n';
        return conflicts.empty() ? 0 : 1;
    });
}

int runGitSetup(Context& ctx, const std::vector<std::string>& argv) {
    Args args(argv, {{"--global", 0}});
    args.expectPositional(0, 0, "git setup [--global]");
    for (const std::string& line : setupGit(ownPath(), args.has("--global")))
        ctx.out << line << '\n';
    return 0;
}

} // namespace aethrian::cli
