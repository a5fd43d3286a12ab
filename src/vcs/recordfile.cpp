#include "vcs/recordfile.h"

#include "app/errors.h"
#include "records/recordkind.h"
#include "records/skilltable.h"
#include "records/textscan.h"

#include <unordered_map>

namespace aethrian {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

const RecordKind& recordKindOf(RecordFileKind kind) {
    return kind == RecordFileKind::Item ? kItemKind : kNpcKind;
}

std::string_view beginMarker(RecordFileKind kind) {
    switch (kind) {
    case RecordFileKind::Npc:
        return kNpcKind.begin;
    case RecordFileKind::Item:
        return kItemKind.begin;
    case RecordFileKind::Skill:
        return kSkillBegin;
    case RecordFileKind::Other:
        break;
    }
    return {};
}

// Skill files spell their keys with blanks around "=" ("skill_id = 10 "): the identity reads
// the values without them.
std::string skillIdentity(std::string_view line) {
    std::string_view id, level;
    for (const SkillToken& t : skillTokens(line)) {
        const std::string_view key = trimmed(t.key);
        if (key == "skill_id" && id.empty())
            id = trimmed(t.value);
        else if (key == "level" && level.empty())
            level = trimmed(t.value);
    }
    std::string identity(id);
    identity += '/';
    identity += level;
    return identity;
}

// The name and ID of a record line by ParseRecordLine's rules (name between the line's first
// "[" and first "]", ID between its second and third TAB) without its field scan: identities are
// needed for every record, fields only for the changed ones.
void recordHead(std::string_view line, std::string_view& name, std::string_view& id) {
    const size_t lb = line.find('[');
    const size_t rb = line.find(']');
    const size_t start = lb == npos ? 0 : lb + 1;
    name = (rb == npos || rb < start) ? std::string_view() : line.substr(start, rb - start);
    id = {};
    size_t from = 0;
    for (int tab = 0; tab < 2; ++tab) {
        const size_t t = line.find('\t', from);
        if (t == npos)
            return;
        from = t + 1;
    }
    const size_t end = line.find('\t', from);
    if (end != npos)
        id = line.substr(from, end - from);
}

} // namespace

std::string_view kindWord(RecordFileKind kind) {
    switch (kind) {
    case RecordFileKind::Npc:
        return "npc";
    case RecordFileKind::Item:
        return "item";
    case RecordFileKind::Skill:
        return "skill";
    case RecordFileKind::Other:
        break;
    }
    return "line";
}

std::string RecordFile::label(const RecordEntry& r) const {
    std::string s(kindWord(kind));
    s += ' ';
    s += r.identity;
    s += " [";
    s += r.name;
    s += ']';
    return s;
}

RecordFileKind detectKind(const TextLines& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.find(kNpcKind.begin) != npos)
            return RecordFileKind::Npc;
        if (line.find(kItemKind.begin) != npos)
            return RecordFileKind::Item;
        if (line.find(kSkillBegin) != npos)
            return RecordFileKind::Skill;
    }
    return RecordFileKind::Other;
}

RecordFile indexRecordFile(TextLines lines, RecordFileKind kind) {
    RecordFile file;
    file.kind = kind;
    file.lines = std::move(lines);
    file.recordOfLine.assign(file.lines.size(), RecordFile::npos);
    const std::string_view begin = beginMarker(kind);
    std::unordered_map<std::string, size_t> seen;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const std::string_view line = file.lines[i];
        RecordEntry entry;
        entry.line = i;
        if (kind == RecordFileKind::Other) {
            entry.identity = line;
        } else if (line.find(begin) == npos) {
            continue;
        } else if (kind == RecordFileKind::Skill) {
            entry.identity = skillIdentity(line);
            entry.name = bracketName(line);
        } else {
            std::string_view id;
            recordHead(line, entry.name, id);
            entry.identity = id;
        }
        const size_t n = ++seen[entry.identity];
        if (n > 1)
            entry.identity += '#' + std::to_string(n);
        file.recordOfLine[i] = file.records.size();
        file.records.push_back(std::move(entry));
    }
    return file;
}

RecordFile indexRecordFile(TextLines lines) {
    const RecordFileKind kind = detectKind(lines);
    return indexRecordFile(std::move(lines), kind);
}

TextLines readRecordFileLines(const std::string& path) {
    if (path == "/dev/null")
        return splitRecordLines({});
    return ReadRecordLines(path);
}

RecordFile readRecordFile(const std::string& path) {
    return indexRecordFile(readRecordFileLines(path));
}

RecordFileKind commonKind(const std::vector<const TextLines*>& files,
                          const std::vector<std::string>& names) {
    RecordFileKind kind = RecordFileKind::Other;
    size_t first = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const RecordFileKind k = detectKind(*files[i]);
        if (k == RecordFileKind::Other)
            continue;
        if (kind != RecordFileKind::Other && k != kind)
            throw ExpectedProblem(names[first] + " holds " + std::string(kindWord(kind)) +
                                  " records, " + names[i] + " " + std::string(kindWord(k)) +
                                  " records");
        if (kind == RecordFileKind::Other) {
            kind = k;
            first = i;
        }
    }
    return kind;
}

RecordCells recordCells(RecordFileKind kind, std::string_view line) {
    RecordCells cells;
    if (kind == RecordFileKind::Skill) {
        cells.name = bracketName(line);
        for (const SkillToken& t : skillTokens(line))
            cells.fields.push_back({t.key, t.value});
        return cells;
    }
    RecordView view;
    ParseRecordLine(line, recordKindOf(kind), view);
    cells.name = view.name;
    cells.type = view.type;
    cells.id = view.id;
    cells.fields = std::move(view.fields);
    return cells;
}

std::vector<std::string> fieldKeys(const std::vector<FieldView>& fields) {
    std::vector<std::string> keys;
    keys.reserve(fields.size());
    std::unordered_map<std::string_view, size_t> seen;
    for (const FieldView& f : fields) {
        const size_t n = ++seen[f.key];
        keys.emplace_back(f.key);
        if (n > 1)
            keys.back() += '#' + std::to_string(n);
    }
    return keys;
}

std::vector<size_t> pairRecords(const RecordFile& base, const RecordFile& side) {
    std::vector<size_t> pairs(side.records.size(), RecordFile::npos);
    std::vector<bool> taken(base.records.size(), false);
    std::unordered_map<std::string_view, size_t> byIdentity;
    byIdentity.reserve(base.records.size());
    for (size_t i = 0; i < base.records.size(); ++i)
        byIdentity.emplace(base.records[i].identity, i);
    for (size_t i = 0; i < side.records.size(); ++i) {
        const auto it = byIdentity.find(side.records[i].identity);
        if (it != byIdentity.end()) {
            pairs[i] = it->second;
            taken[it->second] = true;
        }
    }
    if (base.kind == RecordFileKind::Other)
        return pairs; // a line's text is its identity: there is nothing else to match by
    // The leftovers by name, each name's records consumed in file order.
    std::unordered_map<std::string_view, std::vector<size_t>> byName;
    for (size_t i = 0; i < base.records.size(); ++i) {
        if (!taken[i])
            byName[base.records[i].name].push_back(i);
    }
    std::unordered_map<std::string_view, size_t> next;
    for (size_t i = 0; i < side.records.size(); ++i) {
        if (pairs[i] != RecordFile::npos)
            continue;
        const auto it = byName.find(side.records[i].name);
        if (it == byName.end())
            continue;
        size_t& k = next[side.records[i].name];
        if (k < it->second.size())
            pairs[i] = it->second[k++];
    }
    return pairs;
}

} // namespace aethrian
