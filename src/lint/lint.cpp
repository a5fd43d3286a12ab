#include "lint/lint.h"

#include "app/busy.h"
#include "app/errors.h"
#include "app/log.h"
#include "app/parallel.h"
#include "checks/pch.h"
#include "checks/presence.h"
#include "checks/sidetext.h"
#include "checks/skilltools.h"
#include "editing/cleanup.h"
#include "records/skilltable.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>

namespace aethrian {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

const std::vector<std::string>& serverFileKinds() {
    static const std::vector<std::string> kinds{"npcdata",    "itemdata",  "skilldata", "npc_pch",
                                                "item_pch",   "skill_pch", "npcpos",    "npcgrp",
                                                "npcname",    "itemname",  "weapongrp", "armorgrp",
                                                "etcitemgrp", "skillgrp",  "skillname"};
    return kinds;
}

ServerFiles findServerFiles(const std::string& dir) {
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec))
        throw ExpectedProblem("No such folder: " + dir);
    std::map<std::string, std::string> byName; // "npcdata.txt" -> kind
    for (const std::string& k : serverFileKinds())
        byName.emplace(k + ".txt", k);
    struct Best {
        int depth;
        std::string rel;
    };
    std::map<std::string, Best> best;
    fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec),
        end;
    if (ec)
        throw OperationError("Cannot read folder \"" + dir + "\". " + ec.message());
    for (; it != end; it.increment(ec)) {
        if (ec)
            break; // a folder that vanished or cannot be listed: what was found so far stands
        const fs::path& p = it->path();
        const std::string name = p.filename().string();
        if (it->is_directory(ec)) {
            if (!name.empty() && name[0] == '.')
                it.disable_recursion_pending();
            continue;
        }
        const auto kind = byName.find(lower(name));
        if (kind == byName.end() || !it->is_regular_file(ec))
            continue;
        const Best candidate{it.depth(), fs::relative(p, dir, ec).generic_string()};
        auto [at, fresh] = best.emplace(kind->second, candidate);
        if (!fresh && (candidate.depth < at->second.depth ||
                       (candidate.depth == at->second.depth && candidate.rel < at->second.rel)))
            at->second = candidate;
    }
    ServerFiles files;
    for (const auto& [kind, b] : best)
        files[kind] = (fs::path(dir) / b.rel).generic_string();
    return files;
}

std::string serverFileKindOf(std::string_view path) {
    const std::string name = lower(fs::path(std::string(path)).filename().string());
    std::string found;
    for (const std::string& k : serverFileKinds())
        if (name.find(k) != std::string::npos && k.size() > found.size())
            found = k;
    return found;
}

const std::vector<LintCheck>& lintChecks() {
    static const std::vector<LintCheck> checks{
        {"field-order", {}},
        {"npc-duplicates", {"npcdata"}},
        {"item-duplicates", {"itemdata"}},
        {"drop-numbers", {"npcdata"}},
        {"items-exist", {"npcdata", "itemdata"}},
        {"items-not-dropped", {"itemdata", "npcdata"}},
        {"monsters-exist", {"npcpos", "npcdata"}},
        {"npcpos-npcs", {"npcpos", "npcdata"}},
        {"npcgrp", {"npcdata", "npcgrp"}},
        {"npcname", {"npcdata", "npcname"}},
        {"itemname", {"itemdata", "itemname"}},
        {"grp", {"itemdata", "weapongrp", "armorgrp", "etcitemgrp"}},
        {"npc-pch", {"npcdata", "npc_pch"}},
        {"item-pch", {"itemdata", "item_pch"}},
        {"skill-pch", {"skilldata", "skill_pch"}},
        {"skillgrp", {"skilldata", "skillgrp"}},
        {"skillname", {"skilldata", "skillname"}},
    };
    return checks;
}

bool isLintCheck(std::string_view name) {
    for (const LintCheck& c : lintChecks())
        if (name == c.name)
            return true;
    return false;
}

namespace {

// A record file as a table, with the source line of each record.
struct RecordInput {
    TextLines lines; // the decoded file, until its table is built
    Table table;
    LoadReport report;
};

// A side file's lines as its pane holds them, split where the text was decoded.
struct PaneInput {
    std::string text;
    PaneLines lines;
};

// Every file read once, kept for all the checks.
struct Inputs {
    const ServerFiles& files;
    std::map<std::string, std::unique_ptr<RecordInput>> records;
    std::map<std::string, std::unique_ptr<PaneInput>> panes;

    bool has(const std::string& kind) const { return files.count(kind) != 0; }
    const Table& table(const std::string& kind) const { return records.at(kind)->table; }
    const PaneLines& pane(const std::string& kind) const { return panes.at(kind)->lines; }

    // A file that holds nothing to check with: a side file of blank lines, a record file without
    // records. A check run on it would report every record of the other side as missing.
    bool isEmpty(const std::string& kind) const {
        if (const auto p = panes.find(kind); p != panes.end())
            return isBlankText(p->second->lines);
        const auto r = records.find(kind);
        return r != records.end() && r->second->report.records == 0;
    }
};

// Reads every file, the largest first, shared among the cores, then builds the record tables.
void readInputs(Inputs& in, Progress* progress) {
    std::vector<std::pair<std::string, std::string>> order(in.files.begin(), in.files.end());
    for (const auto& [kind, path] : order) {
        // A file named on the command line may be missing; the editors' messages would not say
        // which.
        if (!fileExists(path))
            throw ExpectedProblem("No such file: " + path);
        if (kind == "npcdata" || kind == "itemdata" || kind == "skilldata")
            in.records[kind] = std::make_unique<RecordInput>();
        if (kind != "npcdata" && kind != "itemdata")
            in.panes[kind] = std::make_unique<PaneInput>();
    }
    std::vector<std::uint64_t> sizes;
    for (const auto& entry : order)
        sizes.push_back(fileSize(entry.second));
    std::vector<size_t> bySize(order.size());
    for (size_t i = 0; i < bySize.size(); ++i)
        bySize[i] = i;
    std::stable_sort(bySize.begin(), bySize.end(),
                     [&](size_t a, size_t b) { return sizes[a] > sizes[b]; });

    // Reading and decoding first, every file on a core of its own; then the two tables, each
    // built on every core. Building a table on the thread that read it kept one core on the
    // largest file while the other had run out of files.
    BusyCaption busy;
    const auto tick = [&] {
        if (progress) {
            progress->caption(busy.advance());
            progress->pump();
        }
    };
    parallelFor(
        bySize.size(),
        [&](size_t item) {
            const auto& [kind, path] = order[bySize[item]];
            if (kind == "npcdata" || kind == "itemdata") {
                in.records.at(kind)->lines = ReadRecordLines(path);
            } else if (kind == "skilldata") {
                // The skill finds read the file as its pane holds it, the field-order check as a
                // table: both from one decoding.
                std::string text = decodeText(readFileBytes(path)).text;
                PaneInput& pane = *in.panes.at(kind);
                pane.text = text;
                pane.lines = splitPaneLines(pane.text);
                RecordInput& rec = *in.records.at(kind);
                rec.report = LoadSkillTable(splitRecordLines(std::move(text)), rec.table);
            } else {
                PaneInput& pane = *in.panes.at(kind);
                pane.text = decodeText(readFileBytes(path)).text;
                pane.lines = splitPaneLines(pane.text);
            }
        },
        tick);
    for (const char* kind : {"npcdata", "itemdata"}) {
        if (!in.records.count(kind))
            continue;
        RecordInput& rec = *in.records.at(kind);
        rec.report = LoadTable(
            rec.lines, kind == std::string_view("npcdata") ? kNpcKind : kItemKind, rec.table);
        rec.lines = TextLines();
        tick();
    }
}

// What the index a check reports with stands for.
enum class Subject { Rows, Lines };

// Collects a check's located lines; the start and closing lines it logs are not findings.
class FindingLog : public Log {
  public:
    explicit FindingLog(std::function<void(size_t, const std::string&)> fn) : fn_(std::move(fn)) {}
    void add(const std::string& /*line*/) override {}
    void addAbout(size_t at, const std::string& line) override { fn_(at, line); }

  private:
    std::function<void(size_t, const std::string&)> fn_;
};

// The text between a line's first "[" and the "]" after it.
std::string bracketed(std::string_view line) {
    const size_t open = line.find('[');
    const size_t close = open == std::string_view::npos ? open : line.find(']', open);
    return close == std::string_view::npos ? std::string()
                                           : std::string(line.substr(open + 1, close - open - 1));
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

class Runner {
  public:
    Runner(const Inputs& in, std::vector<Finding>& findings) : in_(in), report_{findings} {}

    // Runs `body` with a log whose findings concern `kind` (rows of its table or lines of its
    // pane).
    void run(const char* check, const std::string& kind, Subject subject,
             const std::function<void(FindingLog&, const SkillToolOutput&)>& body) {
        const auto located = [&](size_t at, const std::string& message) {
            report_.push_back(locate(check, kind, subject, at, message));
        };
        FindingLog log(located);
        SkillToolOutput out;
        out.message = [](const std::string&) {}; // boxes and "done!" are not findings
        out.result = [&](const std::string& message) { located(0, message); };
        out.resultAbout = located;
        try {
            body(log, out);
        } catch (const std::exception& e) {
            // A value that does not read ends the check, as in the editor; the error is the
            // finding, so a server with such a record does not pass.
            Finding f;
            f.check = check;
            f.kind = kind;
            f.file = in_.files.at(kind);
            f.message = e.what();
            report_.push_back(std::move(f));
        }
    }

  private:
    Finding locate(const char* check, const std::string& kind, Subject subject, size_t at,
                   const std::string& message) const {
        Finding f;
        f.check = check;
        f.kind = kind;
        f.file = in_.files.at(kind);
        f.message = message;
        if (subject == Subject::Rows) {
            const RecordInput& rec = *in_.records.at(kind);
            if (at >= 1 && at <= rec.report.rowLines.size()) {
                f.line = rec.report.rowLines[at - 1] + 1;
                f.record = rec.table.cell(at, 1);
                if (kind != "skilldata")
                    f.id = rec.table.cell(at, 3);
                else if (const size_t c = rec.table.findColumn("skill_id"); c != Table::npos)
                    f.id = rec.table.cell(at, c);
            }
        } else {
            const PaneLines& lines = in_.pane(kind);
            if (at < lines.size()) {
                f.line = at + 1;
                f.record = bracketed(lines[at]);
                if (kind == "skilldata")
                    f.id = trimmed(skillIdText(lines[at]));
            }
        }
        return f;
    }

    const Inputs& in_;
    std::vector<Finding>& report_;
};

// Runs one check of the lint on the inputs it needs, its findings going to `runner`.
void runCheck(const LintCheck& check, const Inputs& in, Runner& runner, char divider) {
    const bool fieldOrder = std::string_view(check.name) == "field-order";
    const std::string name = check.name;
    const auto npc = [&]() -> const Table& { return in.table("npcdata"); };
    const auto items = [&]() -> const Table& { return in.table("itemdata"); };
    if (fieldOrder) {
        for (const auto& [kind, rec] : in.records)
            runner.run(check.name, kind, Subject::Rows,
                       [&, &r = rec](FindingLog& log, const SkillToolOutput&) {
                           for (const FieldOrderMismatch& m : r->report.mismatches)
                               log.addAbout(m.row, fieldOrderLine(m));
                       });
    } else if (name == "npc-duplicates" || name == "item-duplicates") {
        const std::string kind = name == "npc-duplicates" ? "npcdata" : "itemdata";
        runner.run(check.name, kind, Subject::Rows, [&](FindingLog& log, const SkillToolOutput&) {
            findDuplicates(in.table(kind), divider, log);
        });
    } else if (name == "drop-numbers") {
        runner.run(check.name, "npcdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       findDropNumberErrors(npc(), divider, log);
                   });
    } else if (name == "items-exist") {
        runner.run(
            check.name, "npcdata", Subject::Rows,
            [&](FindingLog& log, const SkillToolOutput&) { checkItemsExist(npc(), items(), log); });
    } else if (name == "items-not-dropped") {
        runner.run(check.name, "itemdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkItemsNotDropped(items(), npc(), log);
                   });
    } else if (name == "monsters-exist") {
        runner.run(check.name, "npcpos", Subject::Lines,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkMonstersExist(in.pane("npcpos"), npc(), log);
                   });
    } else if (name == "npcpos-npcs") {
        runner.run(check.name, "npcpos", Subject::Lines,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkNpcposNpcs(in.pane("npcpos"), npc(), log);
                   });
    } else if (name == "npcgrp") {
        runner.run(check.name, "npcdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkNpcgrp(npc(), in.pane("npcgrp"), log);
                   });
    } else if (name == "npcname") {
        runner.run(check.name, "npcdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkNpcname(npc(), in.pane("npcname"), log);
                   });
    } else if (name == "itemname") {
        runner.run(check.name, "itemdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkItemname(items(), in.pane("itemname"), log);
                   });
    } else if (name == "grp") {
        runner.run(check.name, "itemdata", Subject::Rows,
                   [&](FindingLog& log, const SkillToolOutput&) {
                       checkMergedGrp(items(), in.pane("weapongrp"), in.pane("armorgrp"),
                                      in.pane("etcitemgrp"), log);
                   });
    } else if (name == "npc-pch" || name == "item-pch") {
        const bool isNpc = name == "npc-pch";
        const std::string kind = isNpc ? "npcdata" : "itemdata";
        runner.run(check.name, kind, Subject::Rows, [&](FindingLog& log, const SkillToolOutput&) {
            checkPchPresence(in.table(kind), isNpc ? PchKind::Npc : PchKind::Item,
                             in.pane(isNpc ? "npc_pch" : "item_pch"), log);
        });
    } else if (name == "skill-pch") {
        runner.run(check.name, "skilldata", Subject::Lines,
                   [&](FindingLog&, const SkillToolOutput& out) {
                       findInSkillPch(in.pane("skilldata"), in.pane("skill_pch"), out);
                   });
    } else if (name == "skillgrp" || name == "skillname") {
        runner.run(check.name, "skilldata", Subject::Lines,
                   [&](FindingLog&, const SkillToolOutput& out) {
                       findInSkillLines(in.pane("skilldata"), in.pane(name), out);
                   });
    }
}

// A check with an empty input is not run: its refusal is the finding, on the empty file. The grp
// check reads its three dumps as one, so only all three empty stop it.
std::optional<Finding> emptyInputFinding(const LintCheck& check, const Inputs& in) {
    const bool grp = std::string_view(check.name) == "grp";
    const auto empty = std::find_if(check.inputs.begin(), check.inputs.end(), [&](const char* k) {
        return in.isEmpty(k) && !(grp && std::string_view(k) != "itemdata");
    });
    const bool dumpsEmpty =
        grp && in.isEmpty("weapongrp") && in.isEmpty("armorgrp") && in.isEmpty("etcitemgrp");
    if (empty == check.inputs.end() && !dumpsEmpty)
        return std::nullopt;
    Finding f;
    f.check = check.name;
    f.kind = empty != check.inputs.end() ? *empty : "weapongrp";
    f.file = in.files.at(f.kind);
    if (empty != check.inputs.end()) {
        f.message = emptySideMessage("The file " + f.file);
    } else {
        const std::string w = "The file " + f.file, a = "file " + in.files.at("armorgrp"),
                          e = "file " + in.files.at("etcitemgrp");
        f.message = emptySidesMessage({w, a, e});
    }
    return f;
}

// A check that runs, or the finding that says why it could not.
struct Planned {
    const LintCheck* check;
    std::optional<Finding> refused;
};

} // namespace

LintReport lintServer(const ServerFiles& files, const std::set<std::string>& skip, char divider,
                      Progress* progress) {
    LintReport report;
    report.files = files;
    Inputs in{files, {}, {}};
    readInputs(in, progress);

    std::vector<Planned> toRun;
    for (const LintCheck& check : lintChecks()) {
        if (skip.count(check.name))
            continue;
        bool present = true;
        for (const char* k : check.inputs)
            present = present && in.has(k);
        if (std::string_view(check.name) == "field-order")
            present = !in.records.empty();
        if (present)
            toRun.push_back({&check, emptyInputFinding(check, in)});
    }

    // The checks only read the inputs, so they run side by side, each into its own list; the
    // lists are joined in the checks' order, so the report does not depend on which finished
    // first.
    std::vector<std::vector<Finding>> found(toRun.size());
    constexpr char kRan = 1, kRefused = 2;
    std::vector<char> ran(toRun.size(), 0);
    std::atomic<bool> halted{false};
    BusyCaption busy;
    parallelFor(
        toRun.size(),
        [&](size_t item) {
            if (halted.load())
                return;
            if (toRun[item].refused) {
                ran[item] = kRefused;
                found[item].push_back(*toRun[item].refused);
                return;
            }
            ran[item] = kRan;
            Runner runner(in, found[item]);
            runCheck(*toRun[item].check, in, runner, divider);
        },
        [&] {
            if (!progress)
                return;
            if (progress->halted())
                halted.store(true);
            progress->caption(busy.advance());
            progress->pump();
        });
    for (size_t i = 0; i < toRun.size(); ++i) {
        if (!ran[i]) {
            report.halted = true;
            continue;
        }
        if (ran[i] == kRefused) {
            report.findings.insert(report.findings.end(), found[i].begin(), found[i].end());
            continue;
        }
        report.checksRun.push_back(toRun[i].check->name);
        report.findings.insert(report.findings.end(), std::make_move_iterator(found[i].begin()),
                               std::make_move_iterator(found[i].end()));
    }
    // Sorting the findings and freeing the tables (a tenth of the run on a large server) side by
    // side: the findings hold copies, nothing of the tables.
    std::vector<std::unique_ptr<RecordInput>*> tables;
    for (auto& entry : in.records)
        tables.push_back(&entry.second);
    parallelFor(tables.size() + 1, [&](size_t item) {
        if (item > 0) {
            tables[item - 1]->reset();
            return;
        }
        std::stable_sort(report.findings.begin(), report.findings.end(),
                         [](const Finding& a, const Finding& b) {
                             return a.file != b.file ? a.file < b.file : a.line < b.line;
                         });
    });
    return report;
}

} // namespace aethrian
