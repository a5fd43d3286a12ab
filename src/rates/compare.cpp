#include "rates/compare.h"

#include "app/busy.h"
#include "app/errors.h"
#include "app/numbers.h"
#include "app/parallel.h"
#include "rates/listratio.h"
#include "records/textscan.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <unordered_map>

namespace aethrian {

const CompareMember kNpcCompare{"npc_begin",
                                "npc_end",
                                "level=",
                                true,
                                true,
                                true,
                                10000,
                                500,
                                "NPCData files doesn't exists...",
                                "NPCs not found in the 2nd file"};
const CompareMember kItemCompare{"item_begin",
                                 "item_end",
                                 "item_type=",
                                 true,
                                 false,
                                 false,
                                 4000,
                                 100,
                                 "ITEMData files doesn't exists...",
                                 "ITEMs not found in the 2nd file"};
const CompareMember kSkillCompare{"skill_begin",
                                  "skill_end",
                                  "skill_id=",
                                  false,
                                  false,
                                  false,
                                  4000,
                                  100,
                                  "SKILLData files doesn't exists...",
                                  "SKILLs not found in the 2nd file"};

namespace {

// The text after the n-th TAB up to the next one ("" when the line has fewer TABs).
std::string_view tabField(std::string_view line, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        const size_t tab = line.find('\t', pos);
        if (tab == npos)
            return {};
        pos = tab + 1;
    }
    const size_t end = line.find('\t', pos);
    return end == npos ? std::string_view() : line.substr(pos, end - pos);
}

// The line from the first place `key` appears (the whole line when it does not).
std::string_view fromFirst(std::string_view line, std::string_view key) {
    const size_t p = findKey(line, key);
    return p == npos ? line : line.substr(p);
}

struct Field {
    std::string_view key, value;
    bool hadTab = false;
};

// Takes the next field off the front of `s`: key before the first "=", value from there to the
// first TAB; `s` loses everything up to and including that TAB. `lastEq` points at the last "="
// of the line (nullptr: none).
Field takeField(std::string_view& s, const char* lastEq) {
    Field f;
    const size_t tab = s.find('\t');
    const size_t eq = s.substr(0, tab).find('=');
    if (eq != npos) {
        f.key = s.substr(0, eq);
        // A last field without TAB keeps its text, as the table loader reads it.
        f.value = tab != npos ? s.substr(eq + 1, tab - eq - 1) : s.substr(eq + 1);
    } else if (tab != npos && lastEq && lastEq > s.data() + tab) {
        // The first "=" lies in a later field: the value is empty and the key would reach across
        // the TAB; it ends there instead, so no column header holds the next field's text.
        f.key = s.substr(0, tab);
    } else if (tab != npos) {
        f.value = s.substr(0, tab); // no "=" left in the line: all value
    }
    f.hadTab = tab != npos;
    if (f.hadTab)
        s.remove_prefix(tab + 1);
    return f;
}

bool isRateKey(std::string_view key) {
    return key == "exp" || key == "acquire_exp_rate" || key == "acquire_sp";
}

bool isListKey(std::string_view key) {
    return key == "corpse_make_list" || key == "additional_make_list" ||
           key == "additional_make_multi_list";
}

// One record of the first file as the run shows it: with the second file's line it pairs with,
// alone (a Watch run), or alone as a record the second file lacks ("N/A").
struct Pairing {
    enum Kind { Paired, Alone, Missing };
    size_t first = 0;
    size_t second = 0; // a line of the second file (Paired only)
    Kind kind = Alone;
    size_t notFound = 0; // names in notFound when this record is compared
};

class Run {
  public:
    Run(const CompareMember& member, const CompareOptions& options, CompareResult& result,
        Progress* progress)
        : m_(member), o_(options), r_(result), progress_(progress) {}

    void reset() {
        r_.grid.setRowCount(1);
        r_.grid.setColCount(m_.typeAndId ? 4 : 2);
        if (m_.typeAndId)
            r_.grid.row(0) = {" ", "Name", "Type", "ID"};
        else
            r_.grid.row(0) = {" ", "Name"};
        r_.notFound.clear();
        r_.differs.assign(1, {});
    }

    // Compares record line `a` with `b` (empty: no second record) into one row; true when it
    // differs.
    bool compareRow(std::string_view a, std::string_view b, Table::Row& row) {
        bool differs = false;
        row.clear();
        row.reserve(r_.grid.colCount());
        cellDiffers_.assign(2, false);
        row.emplace_back();
        row.emplace_back(bracketName(a));
        const bool hasB = !b.empty();
        if (m_.typeAndId) {
            for (int n = 1; n <= 2; ++n)
                row.push_back(compared(tabField(a, n), tabField(b, n), hasB, differs));
        }
        a = fromFirst(a, m_.firstField);
        if (hasB)
            b = fromFirst(b, m_.firstField);
        const std::string_view end(m_.end);
        const auto lastEq = [](std::string_view s) {
            const size_t at = s.rfind('=');
            return at == npos ? nullptr : s.data() + at;
        };
        const char* lastEqA = lastEq(a);
        const char* lastEqB = lastEq(b);
        for (;;) {
            const Field fa = takeField(a, lastEqA);
            Field fb;
            if (hasB)
                fb = takeField(b, lastEqB);
            std::string cell = compared(fa.value, fb.value, hasB, differs);
            if (o_.xRate && m_.xRateAllowed)
                cell = xRateCell(fa, fb, hasB, std::move(cell));
            row.push_back(std::move(cell));
            if (!columnsFixed_) {
                r_.grid.setColCount(r_.grid.colCount() + 1);
                r_.grid.setCell(0, r_.grid.colCount() - 1, std::string(fa.key));
            }
            if (a.starts_with(end) || (hasB && b.starts_with(end)))
                break;
            if (progress_ && progress_->halted())
                break;
            if (!fa.hadTab || (hasB && !fb.hadTab))
                break;
        }
        columnsFixed_ = true;
        return differs;
    }

    // The row of one pairing, added as the options say.
    void show(const Pairing& p, const TextLines& first, const TextLines* second) {
        const std::string_view a = first[p.first];
        if (p.kind != Pairing::Paired) {
            compareRow(a, {}, row_);
            addRow(std::move(row_), p.kind == Pairing::Missing ? "N/A" : "");
            return;
        }
        const bool differs = compareRow(a, (*second)[p.second], row_);
        if (differs || !o_.onlyDifferences)
            addRow(std::move(row_), differs ? "<>" : "");
    }

    // The header is complete: a run that only adds rows below a header made by another.
    void fixColumns() { columnsFixed_ = true; }

    void addRow(Table::Row row, const char* marker) {
        row[0] = marker;
        r_.grid.appendRow(std::move(row)); // cut or padded to the header's width
        cellDiffers_.resize(r_.grid.colCount(), false);
        r_.differs.push_back(std::move(cellDiffers_));
        cellDiffers_ = {};
    }

    // Busy caption stages: one per (limit + 1) steps.
    void steps(size_t n, int limit) {
        count_ += n;
        const size_t period = static_cast<size_t>(limit) + 1;
        while (count_ >= period) {
            count_ -= period;
            if (progress_) {
                progress_->caption(busy_.advance());
                progress_->pump();
            }
        }
    }

  private:
    // One cell's text; notes whether the cell differs, in step with the cells of the row.
    std::string compared(std::string_view a, std::string_view b, bool hasB, bool& differs) {
        const bool cellDiffers = hasB && a != b;
        cellDiffers_.push_back(cellDiffers);
        if (!cellDiffers)
            return std::string(a);
        differs = true;
        std::string s = "(";
        s.append(a).append(" <> ").append(b).append(")");
        return s;
    }

    std::string xRateCell(const Field& fa, const Field& fb, bool hasB, std::string cell) {
        if (isRateKey(fa.key)) {
            if (!hasB || fa.value == "0" || fb.value == "0")
                return cell;
            const long double x = readNumber(fa.value, o_.divider);
            const long double y = readNumber(fb.value, o_.divider);
            if (y == 0)
                throw OperationError("Floating point division by zero");
            return formatGeneral(x / y, 10, o_.divider) + "x";
        }
        if (isListKey(fa.key)) {
            try {
                return listRatioText(fa.value, hasB ? fb.value : std::string_view(), o_.divider);
            } catch (const std::exception&) {
                return cell;
            }
        }
        return cell;
    }

    const CompareMember& m_;
    const CompareOptions& o_;
    CompareResult& r_;
    Progress* progress_;
    bool columnsFixed_ = false;
    Table::Row row_;
    std::vector<bool> cellDiffers_; // of the row being compared
    size_t count_ = 0;
    BusyCaption busy_;
};

// Counts, for the NPC member, how many lines of the shrinking second list lie before a line,
// so the progress steps are those of a front-to-back search without doing one.
class RemovedLines {
  public:
    explicit RemovedLines(size_t n) : tree_(n + 1, 0) {}
    void remove(size_t i) {
        for (++i; i < tree_.size(); i += i & (~i + 1))
            ++tree_[i];
    }
    size_t removedBefore(size_t i) const { // among lines [0, i)
        size_t s = 0;
        for (; i > 0; i -= i & (~i + 1))
            s += tree_[i];
        return s;
    }

  private:
    std::vector<size_t> tree_;
};

// Compares the pairings on every core and adds their rows in pairing order. The first one makes
// the header alone. A block that fails keeps the rows it made before the failure; the blocks after
// the first failing one are dropped, and the names not found are cut back to those listed when
// the failing record came, so an error leaves what a one-record-at-a-time run would.
void compareInBlocks(Run& run, const std::vector<Pairing>& pairings, const TextLines& first,
                     const TextLines* second, const CompareMember& member,
                     const CompareOptions& options, CompareResult& result) {
    if (pairings.empty())
        return;
    try {
        run.show(pairings[0], first, second);
    } catch (...) {
        result.notFound.resize(pairings[0].notFound);
        throw;
    }
    // Pairing 0 is done: item i of the blocks is pairing i + 1.
    constexpr size_t kPerBlock = 256;
    const size_t rest = pairings.size() - 1;
    std::vector<CompareResult> parts((rest + kPerBlock - 1) / kPerBlock);
    std::exception_ptr error;
    const size_t failed = parallelBlocks(
        rest, kPerBlock,
        [&](size_t from, size_t to, size_t& at) {
            CompareResult& part = parts[from / kPerBlock];
            part.grid.setColCount(result.grid.colCount());
            part.grid.setRowCount(1);
            Run block(member, options, part, nullptr);
            block.fixColumns();
            for (at = from; at < to; ++at)
                block.show(pairings[at + 1], first, second);
        },
        error);
    // The rows of the blocks up to the failing one (its rows before the failure); later blocks
    // may have run too, but a run item by item would never have come to them.
    const size_t kept = error ? failed / kPerBlock + 1 : parts.size();
    for (size_t b = 0; b < kept; ++b) {
        CompareResult& part = parts[b];
        for (size_t r = 1; r < part.grid.rowCount(); ++r)
            result.grid.appendRow(std::move(part.grid.row(r)));
        for (std::vector<bool>& d : part.differs)
            result.differs.push_back(std::move(d));
        part = {};
    }
    if (error) {
        result.notFound.resize(pairings[failed + 1].notFound);
        std::rethrow_exception(error);
    }
}

} // namespace

void compareRecords(const CompareMember& member, const TextLines& first, const TextLines* second,
                    const CompareOptions& options, CompareResult& result, Progress* progress) {
    Run run(member, options, result, progress);
    run.reset();
    const std::string_view begin(member.begin);

    // Record lines of the second file by name: each name's lines in file order, chained through
    // `nextSame`, and the first of them the NPC member has not paired yet.
    struct SameName {
        size_t first, last, unpaired;
    };
    std::unordered_map<std::string_view, size_t> nameIndex;
    std::vector<SameName> names;
    std::vector<size_t> nextSame;
    if (second) {
        nameIndex.reserve(second->size());
        nextSame.assign(second->size(), npos);
        for (size_t i = 0; i < second->size(); ++i) {
            const std::string_view line = (*second)[i];
            if (line.find(begin) == npos)
                continue;
            const auto [at, fresh] = nameIndex.try_emplace(bracketName(line), names.size());
            if (fresh) {
                names.push_back({i, i, i});
            } else {
                SameName& same = names[at->second];
                nextSame[same.last] = i;
                same.last = i;
            }
        }
    }
    // The caption stages count the lines a front-to-back search would have examined; without a
    // window there is nothing to count for.
    RemovedLines removed(progress && second ? second->size() : 0);
    size_t removedCount = 0;

    // With a window to keep informed, each record is compared as soon as it is paired, between
    // the caption stages, pumps and halt tests. Without one (the command line, the checks) the
    // records are paired first and compared on every core.
    const bool deferred = progress == nullptr;
    std::vector<Pairing> pairings;
    const auto take = [&](Pairing p) {
        p.notFound = result.notFound.size();
        if (deferred)
            pairings.push_back(p);
        else
            run.show(p, first, second);
    };
    for (size_t i = 0; i < first.size(); ++i) {
        const std::string_view a = first[i];
        if (a.find(begin) == npos)
            continue;
        if (progress && progress->halted())
            break;
        if (!second) {
            take({i, 0, Pairing::Alone});
            run.steps(1, member.stepLimitAlone);
        } else {
            const std::string_view name = bracketName(a);
            std::optional<size_t> match;
            if (const auto at = nameIndex.find(name); at != nameIndex.end()) {
                SameName& same = names[at->second];
                if (!member.consumeMatches) {
                    match = same.first;
                } else if (same.unpaired != npos) {
                    match = same.unpaired;
                    same.unpaired = nextSame[same.unpaired];
                }
            }
            if (!progress) {
                // nothing to count
            } else if (member.consumeMatches) {
                // Lines examined by a search from the front of the shrinking list.
                const size_t remaining = second->size() - removedCount;
                run.steps(match ? *match - removed.removedBefore(*match) + 1 : remaining,
                          member.stepLimitWithSecond);
                if (match) {
                    removed.remove(*match);
                    ++removedCount;
                }
            } else {
                run.steps(match ? *match + 1 : second->size(), member.stepLimitWithSecond);
            }
            if (match) {
                take({i, *match, Pairing::Paired});
            } else {
                result.notFound.emplace_back(name);
                if (options.showMissing)
                    take({i, 0, Pairing::Missing});
            }
        }
        // The item and skill runs let the window breathe after every record; the NPC run at its
        // caption stages.
        if (progress && !member.consumeMatches)
            progress->pump();
    }
    if (deferred)
        compareInBlocks(run, pairings, first, second, member, options, result);
}

CompareRun compareFiles(const CompareMember& member, const std::string& first,
                        const std::string& second, const CompareOptions& options,
                        Progress* progress, const std::function<void(int, std::uint64_t)>& sized) {
    if (!fileExists(first))
        throw ExpectedProblem(member.missingFileMessage);
    const bool hasSecond = !second.empty() && fileExists(second);
    if (sized) {
        sized(0, fileSize(first));
        if (hasSecond)
            sized(1, fileSize(second));
    }
    // The two files are read side by side; a failure to read the first is still the one reported
    // when both fail.
    TextLines firstLines, secondLines;
    parallelFor(hasSecond ? 2 : 1, [&](size_t i) {
        (i == 0 ? firstLines : secondLines) = ReadRecordLines(i == 0 ? first : second);
    });
    CompareRun run;
    run.paired = hasSecond;
    try {
        compareRecords(member, firstLines, hasSecond ? &secondLines : nullptr, options, run.result,
                       progress);
    } catch (const std::exception&) {
        run.error = std::current_exception();
    }
    return run;
}

} // namespace aethrian
