#include "checks/skilltools.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "checks/sidetext.h"
#include "records/textfile.h"
#include "records/textscan.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <unordered_map>

namespace aethrian {

namespace {

// The text from `start` up to the first space among the `window` characters after it (0-based
// positions), or "" when there is none.
std::string_view valueBeforeSpace(std::string_view line, size_t start, size_t window) {
    if (start >= line.size())
        return {};
    const std::string_view area = utf8Window(line, start + 1, window);
    const size_t space = area.find(' ');
    return space == npos ? std::string_view() : line.substr(start, space + 1);
}

// 1-based position of the key, 0 when the line lacks it.
size_t keyPosition(std::string_view line, std::string_view key) {
    const size_t p = line.find(key);
    return p == npos ? 0 : p + 1;
}

std::optional<int> toInt32(std::string_view text) {
    const auto v = tryParseInt64(text);
    if (!v || *v < INT_MIN || *v > INT_MAX)
        return std::nullopt;
    return static_cast<int>(*v);
}

int readInt32(std::string_view text) {
    if (auto v = toInt32(text))
        return *v;
    throw OperationError("'" + std::string(text) + "' is not a valid integer value");
}

std::string joined(std::string_view a, std::string_view b) {
    std::string s(a);
    s += '|';
    s += b;
    return s;
}

} // namespace

std::string_view skillIdText(std::string_view line) {
    return valueBeforeSpace(line, keyPosition(line, "skill_id =") + 10, 10);
}

std::string_view skillLevelText(std::string_view line) {
    return valueBeforeSpace(line, keyPosition(line, "level =") + 7, 10);
}

std::string_view skillNameText(std::string_view line) {
    const size_t start = keyPosition(line, "skill_name = ") + 12;
    if (start >= line.size())
        return {};
    const size_t close = utf8Window(line, start, 50).find(']');
    return close == npos ? std::string_view() : line.substr(start, close + 1);
}

std::string_view skillPchName(std::string_view line) {
    const size_t open = line.find('[');
    if (open == npos)
        return {};
    const size_t close = line.find(']', open);
    return close == npos ? std::string_view() : line.substr(open, close - open + 1);
}

namespace {

// Progress k of `total`, painted every 256 steps and at the last step (`last`): painting every
// line would cost more than the tool.
void reportProgress(const SkillToolOutput& out, size_t k, size_t last, size_t total) {
    if (out.progress && (k % 256 == 0 || k == last))
        out.progress(k, total);
}

void emitResult(const SkillToolOutput& out, size_t line, const std::string& text) {
    if (out.resultAbout)
        out.resultAbout(line, text);
    else
        out.result(text);
}

} // namespace

std::vector<std::string> sortSkillLines(const std::vector<std::string_view>& lines, SkillPane pane,
                                        const SkillToolOutput& out) {
    const size_t n = lines.size();
    std::vector<int> ids(n), levels(n);
    const bool boxes = pane == SkillPane::Skilldata;
    if (n >= 2) {
        // Identifiers in file order; the first that does not read ends the sort.
        for (size_t i = 0; i < n; ++i) {
            const std::string_view id = skillIdText(lines[i]);
            if (boxes && id.empty())
                out.message(i == 0 ? joined(lines[0], lines[1]) : joined(lines[0], lines[i]));
            ids[i] = readInt32(id);
        }
        // Levels only where an identifier repeats, with the first line of that identifier.
        std::unordered_map<int, size_t> firstOf, countOf;
        for (size_t i = 0; i < n; ++i) {
            firstOf.emplace(ids[i], i);
            ++countOf[ids[i]];
        }
        std::unordered_map<int, size_t> secondOf;
        for (size_t i = 0; i < n; ++i) {
            if (countOf[ids[i]] < 2)
                continue;
            if (i != firstOf[ids[i]])
                secondOf.emplace(ids[i], i);
        }
        for (size_t i = 0; i < n; ++i) {
            if (countOf[ids[i]] < 2)
                continue;
            const std::string_view level = skillLevelText(lines[i]);
            if (boxes && level.empty()) {
                const size_t first = firstOf[ids[i]];
                out.message(i == first ? joined(lines[first], lines[secondOf[ids[i]]])
                                       : joined(lines[first], lines[i]));
            }
            levels[i] = readInt32(level);
        }
    }
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return ids[a] != ids[b] ? ids[a] < ids[b] : levels[a] < levels[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(n);
    // Where the run of equal keys that holds position k of the sorted order starts: kept as the
    // walk goes, since walking back to it from every line is quadratic on a file of equal keys.
    size_t first = 0;
    for (size_t k = 0; k < n; ++k) {
        const size_t i = order[k];
        if (k > 0 && !(ids[order[k - 1]] == ids[i] && levels[order[k - 1]] == levels[i]))
            first = k;
        if (first < k) {
            // A line repeating the key of the group before it, reported with the group's first
            // line.
            out.message("DUPLICAZIONE, STESSO ID E STESSO LIVELLO!!!!!");
            out.message(boxes ? joined(lines[order[first]], lines[i]) : std::string(lines[i]));
        }
        sorted.emplace_back(lines[i]);
        // Steps 0 to n - 2, out of n - 1 on the Skilldata page and n - 2 on the Skillname page.
        if (k + 1 < n)
            reportProgress(out, k, n - 2, boxes ? n - 1 : n - 2);
    }
    out.message("done!");
    return sorted;
}

void findInSkillPch(const std::vector<std::string_view>& skilldata,
                    const std::vector<std::string_view>& pch, const SkillToolOutput& out,
                    std::string_view skilldataName, std::string_view otherName) {
    requireSideText(skilldata, skilldataName);
    requireSideText(pch, otherName);
    std::unordered_map<std::string_view, bool> known;
    for (std::string_view line : pch)
        known.emplace(skillPchName(line), true);
    for (size_t k = 0; k < skilldata.size(); ++k) {
        reportProgress(out, k, skilldata.size() - 1, skilldata.size() - 1);
        const std::string_view name = skillNameText(skilldata[k]);
        if (!known.count(name))
            emitResult(out, k, std::string(name) + " non è stato trovato");
    }
    out.message("done!");
}

void findInSkillLines(const std::vector<std::string_view>& skilldata,
                      const std::vector<std::string_view>& other, const SkillToolOutput& out,
                      std::string_view skilldataName, std::string_view otherName) {
    requireSideText(skilldata, skilldataName);
    requireSideText(other, otherName);
    // The other pane's lines by identifier, and the first line whose identifier does not read:
    // a walk from the top stops there with the conversion error.
    size_t firstBad = other.size();
    std::unordered_map<int, std::vector<size_t>> byId;
    for (size_t j = 0; j < other.size(); ++j) {
        const auto id = toInt32(skillIdText(other[j]));
        if (!id) {
            firstBad = j;
            break;
        }
        byId[*id].push_back(j);
    }
    for (size_t i = 0; i < skilldata.size(); ++i) {
        reportProgress(out, i, skilldata.size() - 1, skilldata.size() - 1);
        const std::string_view line = skilldata[i];
        if (other.empty()) {
            emitResult(out, i, std::string(line) + " non è stato trovato");
            continue;
        }
        // The walk's first comparison is with the other pane's first line: the box when either
        // identifier is empty, before either is converted.
        const std::string_view idText = skillIdText(line);
        const bool firstOtherEmpty = skillIdText(other[0]).empty();
        if (idText.empty() || firstOtherEmpty)
            out.message(joined(line, other[0]));
        const int id = readInt32(idText);
        bool found = false;
        if (auto it = byId.find(id); it != byId.end()) {
            for (size_t j : it->second) {
                const int mine = readInt32(skillLevelText(line));
                if (mine == readInt32(skillLevelText(other[j]))) {
                    found = true;
                    break;
                }
            }
        }
        if (!found && firstBad < other.size()) {
            // The walk reaches the line whose identifier does not read.
            if (skillIdText(other[firstBad]).empty() && !(firstBad == 0 && firstOtherEmpty))
                out.message(joined(line, other[firstBad]));
            readInt32(skillIdText(other[firstBad]));
        }
        if (!found)
            emitResult(out, i, std::string(line) + " non è stato trovato");
    }
    out.message("done!");
}

} // namespace aethrian
