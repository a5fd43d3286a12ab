#include "records/recordplace.h"

#include "records/textscan.h"

namespace aethrian {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// "(ID:id)" or "(id)" at the start of `rest` (after blanks); "" when neither.
std::string_view idInParens(std::string_view rest) {
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    if (!startsWith(rest, "("))
        return {};
    rest.remove_prefix(1);
    if (startsWith(rest, "ID:"))
        rest.remove_prefix(3);
    const size_t close = rest.find(')');
    return close == npos ? std::string_view() : rest.substr(0, close);
}

// The word that follows `marker` in `line`, "" when the marker is missing.
std::string_view wordAfter(std::string_view line, std::string_view marker) {
    const size_t at = line.find(marker);
    if (at == npos)
        return {};
    std::string_view rest = line.substr(at + marker.size());
    return rest.substr(0, rest.find(' '));
}

} // namespace

CellPlace cellPlace(const Table& table, size_t row, size_t column) {
    CellPlace place;
    place.table = &table;
    place.row = row;
    place.column = column;
    place.record = std::string(table.text(row, 1));
    place.id = std::string(table.text(row, 3));
    place.key = std::string(table.text(0, column));
    return place;
}

std::string cellPlaceLine(const CellPlace& place) {
    return "at row " + std::to_string(place.row) + ", record \"" + place.record + "\", ID " +
           place.id + ", column " + (place.key.empty() ? std::to_string(place.column) : place.key);
}

RecordPlace recordPlace(const Table& table, size_t row) {
    return {&table, row, std::string(table.text(row, 1)), std::string(table.text(row, 3))};
}

size_t findRecordRow(const Table& table, const RecordPlace& place) {
    if (place.name.empty() && place.id.empty())
        return 0;
    const auto holds = [&](size_t r) {
        return (place.name.empty() || table.cell(r, 1) == place.name) &&
               (place.id.empty() || table.text(r, 3) == place.id);
    };
    if (place.row >= 1 && place.row < table.rowCount() && holds(place.row))
        return place.row;
    for (size_t r = 1; r < table.rowCount(); ++r)
        if (holds(r))
            return r;
    return 0;
}

std::optional<RecordPlace> recordNamedIn(std::string_view line) {
    RecordPlace place;
    const size_t open = line.find('[');
    const size_t close = open == npos ? npos : line.find(']', open + 1);
    if (close != npos) {
        place.name = std::string(line.substr(open + 1, close - open - 1));
        place.id = std::string(idInParens(line.substr(close + 1)));
    } else {
        std::string_view rest = line;
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        for (std::string_view word : {"NPC ", "ITEM ", "item "})
            if (startsWith(rest, word)) {
                rest.remove_prefix(word.size());
                break;
            }
        // Lines that name a record by its ID alone: "ID 20001 is zero", "NPC ID: 20001 wrong
        // values", "info: npc id 20001 have poor drops".
        for (std::string_view marker : {"ID: ", "npc id "})
            if (line.find(marker) != npos) {
                place.id = std::string(wordAfter(line, marker));
                return place.id.empty() ? std::nullopt : std::optional(place);
            }
        if (startsWith(rest, "ID ")) {
            place.id = std::string(wordAfter(rest, "ID "));
            return place.id.empty() ? std::nullopt : std::optional(place);
        }
        const size_t end = rest.find_first_of(" (");
        place.name = std::string(rest.substr(0, end));
        if (end != npos)
            place.id = std::string(idInParens(rest.substr(end)));
    }
    if (place.name.empty() && place.id.empty())
        return std::nullopt;
    return place;
}

} // namespace aethrian
