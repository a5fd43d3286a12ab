#include "vcs/merge.h"

#include "records/recordkind.h"
#include "records/skilltable.h"
#include "records/table.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace aethrian {

namespace {

constexpr size_t npos = RecordFile::npos;
using Value = std::optional<std::string_view>;

struct Cell {
    std::string key;
    std::string value;
};

std::vector<size_t> inverse(const std::vector<size_t>& pairs, size_t baseCount) {
    std::vector<size_t> out(baseCount, npos);
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i] != npos)
            out[pairs[i]] = i;
    }
    return out;
}

// The base positions of a side's records that both sides kept, in the side's order.
std::vector<size_t> keptOrder(const std::vector<size_t>& pairs,
                              const std::vector<size_t>& otherOfBase) {
    std::vector<size_t> order;
    for (size_t b : pairs) {
        if (b != npos && otherOfBase[b] != npos)
            order.push_back(b);
    }
    return order;
}

bool ascending(const std::vector<size_t>& v) {
    for (size_t i = 1; i < v.size(); ++i) {
        if (v[i] < v[i - 1])
            return false;
    }
    return true;
}

std::vector<std::string_view> otherLines(const RecordFile& f) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < f.lines.size(); ++i) {
        if (f.recordOfLine[i] == npos)
            out.push_back(f.lines[i]);
    }
    return out;
}

std::string shown(const Value& v) {
    return v ? std::string(*v) : std::string("(none)");
}

std::string marked(std::string_view ours, std::string_view theirs) {
    std::string s = "(";
    s.append(ours).append(" <> ").append(theirs).append(")");
    return s;
}

class Merger {
  public:
    Merger(const RecordFile& base, const RecordFile& ours, const RecordFile& theirs, char divider)
        : b_(base), o_(ours), t_(theirs), divider_(divider), kind_(ours.kind) {}

    MergeResult run() {
        const std::vector<size_t> oToB = pairRecords(b_, o_);
        const std::vector<size_t> tToB = pairRecords(b_, t_);
        bToO_ = inverse(oToB, b_.records.size());
        bToT_ = inverse(tToB, b_.records.size());
        const std::vector<size_t> oOrder = keptOrder(oToB, bToT_);
        const std::vector<size_t> tOrder = keptOrder(tToB, bToO_);
        const bool oursFirst = !(ascending(oOrder) && !ascending(tOrder));
        if (!ascending(oOrder) && !ascending(tOrder) && oOrder != tOrder)
            result_.conflicts.push_back("CONFLICT record order changed on both sides: ours kept");
        const std::vector<std::string_view> bo = otherLines(b_), oo = otherLines(o_),
                                            to = otherLines(t_);
        if (oursFirst ? (to != bo && to != oo) : (oo != bo && oo != to))
            result_.conflicts.push_back(
                std::string("CONFLICT lines outside records changed on ") +
                (oursFirst ? "their side: ours kept" : "our side: theirs kept"));
        if (oursFirst)
            walk(o_, oToB, t_, tToB, true);
        else
            walk(t_, tToB, o_, oToB, false);
        return std::move(result_);
    }

  private:
    // The first side's lines in order, then the base records only the second side kept, then
    // the second side's new records.
    void walk(const RecordFile& first, const std::vector<size_t>& firstToB,
              const RecordFile& second, const std::vector<size_t>& secondToB, bool firstIsOurs) {
        const std::vector<size_t>& bToFirst = firstIsOurs ? bToO_ : bToT_;
        const std::vector<size_t>& bToSecond = firstIsOurs ? bToT_ : bToO_;
        // Records both sides added under one identity merge with each other.
        std::unordered_map<std::string_view, size_t> secondAdded;
        for (size_t i = 0; i < second.records.size(); ++i) {
            if (secondToB[i] == npos)
                secondAdded.emplace(second.records[i].identity, i);
        }
        std::vector<bool> secondUsed(second.records.size(), false);
        const auto slot = [&](size_t bi, size_t fi, size_t si) {
            if (firstIsOurs)
                resolve(bi, fi, si);
            else
                resolve(bi, si, fi);
        };
        for (size_t i = 0; i < first.lines.size(); ++i) {
            const size_t r = first.recordOfLine[i];
            if (r == npos) {
                emit(first.lines[i]);
                continue;
            }
            const size_t bi = firstToB[r];
            if (bi != npos) {
                slot(bi, r, bToSecond[bi]);
                continue;
            }
            size_t si = npos;
            if (const auto it = secondAdded.find(first.records[r].identity);
                it != secondAdded.end()) {
                si = it->second;
                secondUsed[si] = true;
            }
            slot(npos, r, si);
        }
        for (size_t bi = 0; bi < b_.records.size(); ++bi) {
            if (bToFirst[bi] == npos && bToSecond[bi] != npos)
                slot(bi, npos, bToSecond[bi]);
        }
        for (size_t i = 0; i < second.records.size(); ++i) {
            if (secondToB[i] == npos && !secondUsed[i])
                slot(npos, npos, i);
        }
    }

    void resolve(size_t bi, size_t oi, size_t ti) {
        const std::string_view b = bi == npos ? std::string_view() : b_.lineOf(b_.records[bi]);
        const std::string_view o = oi == npos ? std::string_view() : o_.lineOf(o_.records[oi]);
        const std::string_view t = ti == npos ? std::string_view() : t_.lineOf(t_.records[ti]);
        if (oi != npos && ti != npos) {
            if (o == t || (bi != npos && t == b))
                emit(o);
            else if (bi != npos && o == b)
                emit(t);
            else
                emitMerged(bi, oi, ti);
        } else if (oi != npos) {
            if (bi == npos)
                emit(o);
            else if (o != b)
                emitKeptChange(bi, o_, oi, true);
        } else if (ti != npos) {
            if (bi == npos)
                emit(t);
            else if (t != b)
                emitKeptChange(bi, t_, ti, false);
        }
        // A record that is gone on both sides, or gone on one and unchanged on the other, is
        // deleted.
    }

    void emit(std::string_view line) { result_.text.append(line).append("\r\n"); }

    std::string conflictLead(const std::string& label, std::string_view cell) {
        return "CONFLICT " + label + " " + std::string(cell) + ": ";
    }

    std::string merge3(const std::string& label, std::string_view cell, Value b, Value o, Value t,
                       bool& present) {
        Value merged;
        if (o == b)
            merged = t;
        else if (t == b || o == t)
            merged = o;
        if (o == b || t == b || o == t) {
            present = merged.has_value();
            return std::string(merged.value_or(""));
        }
        present = true;
        result_.conflicts.push_back(conflictLead(label, cell) + "base " + shown(b) + ", ours " +
                                    shown(o) + ", theirs " + shown(t));
        return marked(o.value_or(""), t.value_or(""));
    }

    void emitMerged(size_t bi, size_t oi, size_t ti) {
        const RecordCells none;
        const RecordCells cb = bi == npos ? none : recordCells(kind_, b_.lineOf(b_.records[bi]));
        const RecordCells co = recordCells(kind_, o_.lineOf(o_.records[oi]));
        const RecordCells ct = recordCells(kind_, t_.lineOf(t_.records[ti]));
        const std::string label = o_.label(o_.records[oi]);
        bool present = true;
        std::string head[3];
        if (kind_ != RecordFileKind::Skill) {
            const auto baseOr = [&](std::string_view v) { return bi == npos ? Value() : Value(v); };
            head[0] = merge3(label, "name", baseOr(cb.name), co.name, ct.name, present);
            head[1] = merge3(label, "type", baseOr(cb.type), co.type, ct.type, present);
            head[2] = merge3(label, "ID", baseOr(cb.id), co.id, ct.id, present);
        }
        emit(compose(head, mergeFields(label, cb.fields, co.fields, ct.fields)));
    }

    std::vector<Cell> mergeFields(const std::string& label, const std::vector<FieldView>& b,
                                  const std::vector<FieldView>& o,
                                  const std::vector<FieldView>& t) {
        const std::vector<std::string> kb = fieldKeys(b), ko = fieldKeys(o), kt = fieldKeys(t);
        std::unordered_map<std::string_view, size_t> ib, it;
        for (size_t i = 0; i < kb.size(); ++i)
            ib.emplace(kb[i], i);
        for (size_t i = 0; i < kt.size(); ++i)
            it.emplace(kt[i], i);
        const auto valueIn = [](const std::unordered_map<std::string_view, size_t>& index,
                                const std::vector<FieldView>& fields, std::string_view key) {
            const auto f = index.find(key);
            return f == index.end() ? Value() : Value(fields[f->second].value);
        };
        std::vector<Cell> out;
        std::vector<size_t> outOfTheirs(kt.size(), npos); // where a field of THEIRS stands in `out`
        std::unordered_map<std::string_view, size_t> io;
        for (size_t i = 0; i < ko.size(); ++i) {
            io.emplace(ko[i], i);
            bool present = true;
            std::string v = merge3(label, o[i].key, valueIn(ib, b, ko[i]), o[i].value,
                                   valueIn(it, t, ko[i]), present);
            if (!present)
                continue;
            if (const auto f = it.find(ko[i]); f != it.end())
                outOfTheirs[f->second] = out.size();
            out.push_back({std::string(o[i].key), std::move(v)});
        }
        // Fields only THEIRS has: after the field that precedes them in THEIRS.
        std::vector<std::pair<size_t, Cell>> inserts; // (position in `out` to follow, cell)
        size_t anchor = 0;
        for (size_t i = 0; i < kt.size(); ++i) {
            if (outOfTheirs[i] != npos) {
                anchor = outOfTheirs[i] + 1;
                continue;
            }
            if (io.count(kt[i]))
                continue; // OURS has it, and the merge dropped it
            bool present = true;
            std::string v =
                merge3(label, t[i].key, valueIn(ib, b, kt[i]), Value(), t[i].value, present);
            if (present)
                inserts.push_back({anchor, {std::string(t[i].key), std::move(v)}});
        }
        if (inserts.empty())
            return out;
        std::stable_sort(inserts.begin(), inserts.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<Cell> merged;
        merged.reserve(out.size() + inserts.size());
        size_t k = 0;
        for (size_t i = 0; i <= out.size(); ++i) {
            while (k < inserts.size() && inserts[k].first == i)
                merged.push_back(std::move(inserts[k++].second));
            if (i < out.size())
                merged.push_back(std::move(out[i]));
        }
        return merged;
    }

    // A record one side deleted and the other changed: kept as changed, every cell that differs
    // from the base marked against the deleting side's empty value.
    void emitKeptChange(size_t bi, const RecordFile& side, size_t si, bool oursChanged) {
        const RecordCells cb = recordCells(kind_, b_.lineOf(b_.records[bi]));
        const RecordCells cs = recordCells(kind_, side.lineOf(side.records[si]));
        result_.conflicts.push_back("CONFLICT " + side.label(side.records[si]) +
                                    (oursChanged ? ": deleted on their side, changed on ours"
                                                 : ": deleted on our side, changed on theirs"));
        const auto mark = [&](std::string_view base, std::string_view v) {
            if (base == v)
                return std::string(v);
            return oursChanged ? marked(v, "") : marked("", v);
        };
        std::string head[3] = {mark(cb.name, cs.name), mark(cb.type, cs.type), mark(cb.id, cs.id)};
        const std::vector<std::string> kb = fieldKeys(cb.fields), ks = fieldKeys(cs.fields);
        std::unordered_map<std::string_view, size_t> ib;
        for (size_t i = 0; i < kb.size(); ++i)
            ib.emplace(kb[i], i);
        std::vector<Cell> cells;
        for (size_t i = 0; i < ks.size(); ++i) {
            const auto f = ib.find(ks[i]);
            const std::string_view v = cs.fields[i].value;
            cells.push_back({std::string(cs.fields[i].key),
                             f == ib.end() ? (oursChanged ? marked(v, "") : marked("", v))
                                           : mark(cb.fields[f->second].value, v)});
        }
        emit(compose(head, cells));
    }

    // The record line as the savers compose it, from a one-row table.
    std::string compose(const std::string (&head)[3], const std::vector<Cell>& cells) {
        Table table;
        const size_t first = kind_ == RecordFileKind::Skill ? 2 : 4;
        table.setColCount(first + cells.size());
        for (size_t k = 0; k < cells.size(); ++k) {
            table.setCell(0, first + k, cells[k].key);
            table.setCell(1, first + k, cells[k].value);
        }
        if (kind_ == RecordFileKind::Skill) {
            std::string line;
            composeSkillLine(table, 1, [&](std::string_view token) { line += token; });
            return line;
        }
        table.setCell(1, 1, head[0]);
        table.setCell(1, 2, head[1]);
        table.setCell(1, 3, head[2]);
        return WriteRecordLine(table, 1, kind_ == RecordFileKind::Item ? kItemKind : kNpcKind,
                               divider_);
    }

    const RecordFile& b_;
    const RecordFile& o_;
    const RecordFile& t_;
    char divider_;
    RecordFileKind kind_;
    std::vector<size_t> bToO_, bToT_;
    MergeResult result_;
};

std::string readBytesOrEmpty(const std::string& path) {
    return path == "/dev/null" ? std::string() : readFileBytes(path);
}

} // namespace

MergeResult mergeRecordFiles(const RecordFile& base, const RecordFile& ours,
                             const RecordFile& theirs, char divider) {
    return Merger(base, ours, theirs, divider).run();
}

std::vector<std::string> mergeFiles(const std::string& base, const std::string& ours,
                                    const std::string& theirs, const std::string& out,
                                    char divider) {
    TextLines lines[3] = {readRecordFileLines(base), readRecordFileLines(ours),
                          readRecordFileLines(theirs)};
    const RecordFileKind kind =
        commonKind({&lines[0], &lines[1], &lines[2]}, {"BASE", "OURS", "THEIRS"});
    if (kind == RecordFileKind::Other) {
        const bool oursChanged = lines[1].text() != lines[0].text();
        const bool theirsChanged =
            lines[2].text() != lines[0].text() && lines[2].text() != lines[1].text();
        std::vector<std::string> conflicts;
        if (oursChanged && theirsChanged)
            conflicts.push_back(
                "CONFLICT the files hold no records and both sides changed them: ours kept");
        writeFileAtomic(out, readBytesOrEmpty(!oursChanged && theirsChanged ? theirs : ours));
        return conflicts;
    }
    const RecordFile b = indexRecordFile(std::move(lines[0]), kind);
    const RecordFile o = indexRecordFile(std::move(lines[1]), kind);
    const RecordFile t = indexRecordFile(std::move(lines[2]), kind);
    MergeResult result = mergeRecordFiles(b, o, t, divider);
    writeFileAtomic(out, encodeUtf16LE(result.text, true));
    return std::move(result.conflicts);
}

} // namespace aethrian
