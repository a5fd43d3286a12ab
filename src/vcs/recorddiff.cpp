#include "vcs/recorddiff.h"

#include "records/droplist.h"

#include <unordered_map>

namespace aethrian {

namespace {

constexpr size_t kChunk = 1 << 20;

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts)
        s += p;
    return s;
}

bool isDropList(std::string_view v) {
    return v.starts_with('{') && v.find('[') != std::string_view::npos;
}

// A list's text outside its entries ("{[" up to the next "}", a run of entries joined by ";"
// counting as one): group chances and the groups' layout. When it is the same in both lists,
// the entries tell the whole change.
std::string listSkeleton(std::string_view v) {
    std::string s;
    size_t i = 0;
    while (i < v.size()) {
        if (v.compare(i, 2, "{[") != 0) {
            s += v[i++];
            continue;
        }
        for (;;) {
            const size_t close = v.find('}', i);
            if (close == std::string_view::npos)
                return s;
            i = close + 1;
            if (v.compare(i, 3, ";{[") != 0)
                break;
            ++i;
        }
        s += '*';
    }
    return s;
}

std::string entryText(const DropEntry& e) {
    return joined({"[", e.name, "];", e.min, ";", e.max, ";", e.chance});
}

void diffDropEntries(std::string_view key, std::string_view oldValue, std::string_view newValue,
                     std::vector<std::string>& out) {
    const std::vector<DropEntry> olds = scanDropEntries(oldValue);
    const std::vector<DropEntry> news = scanDropEntries(newValue);
    // Entries match by item name, the n-th entry of a name with the n-th.
    std::unordered_map<std::string, size_t> oldIndex;
    std::unordered_map<std::string_view, size_t> seen;
    for (size_t i = 0; i < olds.size(); ++i)
        oldIndex.emplace(std::string(olds[i].name) + '#' + std::to_string(++seen[olds[i].name]), i);
    seen.clear();
    std::vector<bool> matched(olds.size(), false);
    const std::string lead = std::string(key) + ": ";
    for (const DropEntry& n : news) {
        const auto it = oldIndex.find(std::string(n.name) + '#' + std::to_string(++seen[n.name]));
        if (it == oldIndex.end()) {
            out.push_back(lead + "+ " + entryText(n));
            continue;
        }
        matched[it->second] = true;
        const DropEntry& o = olds[it->second];
        std::string changes;
        const auto note = [&](const char* what, std::string_view a, std::string_view b) {
            if (a == b)
                return;
            changes += changes.empty() ? " " : ", ";
            changes += joined({what, " ", a, " -> ", b});
        };
        note("min", o.min, n.min);
        note("max", o.max, n.max);
        note("chance", o.chance, n.chance);
        if (!changes.empty())
            out.push_back(lead + "[" + std::string(n.name) + "]" + changes);
    }
    for (size_t i = 0; i < olds.size(); ++i) {
        if (!matched[i])
            out.push_back(lead + "- " + entryText(olds[i]));
    }
}

void diffCells(const RecordCells& a, const RecordCells& b, bool withHead,
               std::vector<std::string>& out) {
    const auto cell = [&](std::string_view key, std::string_view x, std::string_view y) {
        if (x != y)
            out.push_back(joined({"  ", key, ": ", x, " -> ", y}));
    };
    if (withHead) {
        cell("name", a.name, b.name);
        cell("type", a.type, b.type);
        cell("id", a.id, b.id);
    }
    const std::vector<std::string> keysA = fieldKeys(a.fields);
    const std::vector<std::string> keysB = fieldKeys(b.fields);
    std::unordered_map<std::string_view, size_t> indexA;
    for (size_t i = 0; i < keysA.size(); ++i)
        indexA.emplace(keysA[i], i);
    std::vector<bool> matched(keysA.size(), false);
    std::vector<std::string> lines;
    for (size_t i = 0; i < keysB.size(); ++i) {
        const auto it = indexA.find(keysB[i]);
        if (it == indexA.end()) {
            out.push_back(joined({"  + ", b.fields[i].key, "=", b.fields[i].value}));
            continue;
        }
        matched[it->second] = true;
        lines.clear();
        diffFieldValue(b.fields[i].key, a.fields[it->second].value, b.fields[i].value, lines);
        for (std::string& l : lines)
            out.push_back("  " + std::move(l));
    }
    for (size_t i = 0; i < keysA.size(); ++i) {
        if (!matched[i])
            out.push_back(joined({"  - ", a.fields[i].key, "=", a.fields[i].value}));
    }
}

std::string countLine(size_t changed, size_t added, size_t removed, std::string_view what) {
    return std::to_string(changed) + " changed, " + std::to_string(added) + " added, " +
           std::to_string(removed) + " removed " + std::string(what);
}

} // namespace

void writeTextconv(const RecordFile& file, const std::function<void(std::string_view)>& sink) {
    std::string buf;
    buf.reserve(kChunk + 4096);
    std::string label;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const std::string_view line = file.lines[i];
        const size_t r = file.recordOfLine[i];
        if (file.kind == RecordFileKind::Other || r == RecordFile::npos) {
            buf.append(line).append("\n");
        } else {
            label = file.label(file.records[r]);
            label += ' ';
            const RecordCells cells = recordCells(file.kind, line);
            if (file.kind != RecordFileKind::Skill)
                buf.append(label).append("type=").append(cells.type).append("\n");
            for (const FieldView& f : cells.fields)
                buf.append(label).append(f.key).append("=").append(f.value).append("\n");
        }
        if (buf.size() >= kChunk) {
            sink(buf);
            buf.clear();
        }
    }
    if (!buf.empty())
        sink(buf);
}

void diffFieldValue(std::string_view key, std::string_view oldValue, std::string_view newValue,
                    std::vector<std::string>& out) {
    if (oldValue == newValue)
        return;
    if (isDropList(oldValue) && isDropList(newValue) &&
        listSkeleton(oldValue) == listSkeleton(newValue)) {
        const size_t before = out.size();
        diffDropEntries(key, oldValue, newValue, out);
        if (out.size() > before)
            return;
    }
    out.push_back(joined({key, ": ", oldValue, " -> ", newValue}));
}

DiffReport diffRecordFiles(const RecordFile& oldFile, const RecordFile& newFile) {
    DiffReport report;
    const std::vector<size_t> pairs = pairRecords(oldFile, newFile);
    std::vector<size_t> partner(oldFile.records.size(), RecordFile::npos);
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i] != RecordFile::npos)
            partner[pairs[i]] = i;
    }
    const bool lines = newFile.kind == RecordFileKind::Other;
    size_t changed = 0, added = 0, removed = 0;
    for (size_t i = 0; i < oldFile.records.size(); ++i) {
        const RecordEntry& o = oldFile.records[i];
        if (partner[i] == RecordFile::npos) {
            ++removed;
            report.lines.push_back(lines ? "- " + std::string(oldFile.lineOf(o))
                                         : "removed " + oldFile.label(o));
            continue;
        }
        const RecordEntry& n = newFile.records[partner[i]];
        const std::string_view a = oldFile.lineOf(o);
        const std::string_view b = newFile.lineOf(n);
        if (a == b)
            continue;
        const RecordCells ca = recordCells(oldFile.kind, a);
        const RecordCells cb = recordCells(newFile.kind, b);
        std::vector<std::string> cells;
        diffCells(ca, cb, newFile.kind != RecordFileKind::Skill, cells);
        // Lines can differ where no cell shows it: the same fields in another order (which the
        // loaders read by position) or text beyond the end marker.
        if (cells.empty())
            cells.push_back(fieldKeys(ca.fields) != fieldKeys(cb.fields)
                                ? "  field order changed"
                                : "  text outside the fields changed");
        ++changed;
        const std::string la = oldFile.label(o), lb = newFile.label(n);
        report.lines.push_back("changed " + (la == lb ? lb : la + " -> " + lb));
        for (std::string& c : cells)
            report.lines.push_back(std::move(c));
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i] != RecordFile::npos)
            continue;
        ++added;
        const RecordEntry& n = newFile.records[i];
        report.lines.push_back(lines ? "+ " + std::string(newFile.lineOf(n))
                                     : "added " + newFile.label(n));
    }
    report.differ = changed + added + removed > 0;
    if (report.differ)
        report.lines.push_back(lines ? std::to_string(added) + " added, " +
                                           std::to_string(removed) + " removed lines"
                                     : countLine(changed, added, removed, "records"));
    return report;
}

} // namespace aethrian
