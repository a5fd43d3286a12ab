#include "records/recordline.h"

#include "app/numbers.h"
#include "records/table.h"
#include "records/textscan.h"

namespace aethrian {

namespace {

// The text after the first TAB of `s` up to the next TAB; empty when there is no further TAB.
std::string_view afterTab(std::string_view s) {
    const size_t t = s.find('\t');
    return t == npos ? std::string_view() : s.substr(t + 1);
}

std::string_view beforeTab(std::string_view s) {
    const size_t t = s.find('\t');
    return t == npos ? std::string_view() : s.substr(0, t);
}

} // namespace

namespace {

// TakeField, saying whether the field ended at a TAB.
FieldView takeField(std::string_view& region, bool& hadTab) {
    const size_t t = region.find('\t');
    hadTab = t != npos;
    // "=" is looked for within the field only: searching the rest of the line for every field
    // made a long run of TABs without "=" quadratic.
    const size_t e = region.substr(0, t).find('=');
    FieldView f;
    // A field ends at its TAB: an "=" beyond it belongs to the next field, so a field without one
    // is all key (a key reaching across a TAB would split into two fields when saved).
    if (e != npos) {
        f.key = region.substr(0, e);
        // A last field without TAB (the end marker missing) keeps the text it has: an empty value
        // here was saved back as "key=", losing it.
        f.value = t == npos ? region.substr(e + 1) : region.substr(e + 1, t - e - 1);
    } else {
        f.key = region.substr(0, t == npos ? region.size() : t);
    }
    if (t != npos)
        region.remove_prefix(t + 1);
    return f;
}

} // namespace

FieldView TakeField(std::string_view& region) {
    bool hadTab = false;
    return takeField(region, hadTab);
}

void ParseRecordLine(std::string_view line, const RecordKind& kind, RecordView& out) {
    out.fields.clear();

    const size_t lb = line.find('[');
    const size_t rb = line.find(']');
    const size_t start = lb == npos ? 0 : lb + 1;
    out.name = (rb == npos || rb < start) ? std::string_view() : line.substr(start, rb - start);

    const std::string_view afterFirst = afterTab(line);
    out.type = beforeTab(afterFirst);
    out.id = beforeTab(afterTab(afterFirst));

    const size_t f = findKey(line, kind.firstField);
    std::string_view region = f == npos ? line : line.substr(f);
    const std::string_view end(kind.end);
    for (;;) {
        bool hadTab = false;
        out.fields.push_back(takeField(region, hadTab));
        // The end marker's first letter is tested before the whole marker is compared.
        if (!region.empty() && !end.empty() && region[0] == end[0] && region.starts_with(end))
            break;
        if (end.empty())
            break; // an empty marker is at the start of every region
        // A last field without TAB and end marker: the line is over.
        if (!hadTab || region.empty())
            break;
    }
}

ParsedRecord ParseRecordLine(std::string_view line, const RecordKind& kind) {
    RecordView view;
    ParseRecordLine(line, kind, view);
    ParsedRecord rec{std::string(view.name), std::string(view.type), std::string(view.id), {}};
    rec.fields.reserve(view.fields.size());
    for (const auto& fv : view.fields)
        rec.fields.emplace_back(std::string(fv.key), std::string(fv.value));
    return rec;
}

std::string WriteRecordLine(const Table& table, size_t row, const RecordKind& kind, char divider) {
    std::string line;
    line.reserve(256);
    composeRecordLine(table, row, kind, [&](std::string_view token) { line += token; });
    for (char& ch : line) {
        if (ch == ',' || ch == divider)
            ch = '.';
    }
    return line;
}

} // namespace aethrian
