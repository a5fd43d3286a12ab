#include "generators/duals.h"

#include "app/errors.h"
#include "app/numbers.h"

#include <algorithm>

namespace aethrian {

namespace {

constexpr const char* kGrades[] = {"none", "d", "c", "b", "a", "s"};
constexpr size_t kDualColumns = 27; // margin .. column 26

} // namespace

int gradeValue(std::string_view cell) {
    for (int g = 0; g < 6; ++g)
        if (cell == kGrades[g])
            return g;
    return 0;
}

std::string gradeName(int grade) {
    return kGrades[std::clamp(grade, 0, 5)];
}

DualValues recomputeDual(const Table& t, size_t main, size_t second) {
    const int g1 = gradeValue(t.text(main, 22));
    const int g2 = gradeValue(t.text(second, 22));
    int g = g1 + g2 >= 1 ? (2 * g1 + g2) / 2 : 0;
    g = std::max({g, g1, g2});
    DualValues v;
    v.name = dualName(t.text(main, 1), t.text(second, 1));
    v.grade = gradeName(g);
    v.soulshots = std::to_string(parseInt(t.text(main, 14)) + parseInt(t.text(second, 14)) / 3);
    v.spiritshots = std::to_string(parseInt(t.text(main, 15)) + parseInt(t.text(second, 15)) / 3);
    return v;
}

std::string dualName(std::string_view mainName, std::string_view secondName) {
    return std::string(mainName).append("*").append(secondName);
}

TableEdit addDual(const Table& t, size_t main, size_t second, const std::string& id,
                  const DualValues& v, Log& log) {
    TableEdit edit;
    edit.label = "Add dual";
    try {
        if (main == 0 || second == 0 || main >= t.rowCount() || second >= t.rowCount() ||
            t.colCount() < kDualColumns)
            throw OperationError("no dual");
        const auto sum = [&](size_t col) {
            return parseInt(t.cell(main, col)) + parseInt(t.cell(second, col));
        };
        Table::Row row(t.colCount());
        row[1] = v.name;
        row[2] = "weapon";
        row[3] = id;
        row[4] = "weapon";
        row[5] = "{lrhand}";
        row[6] = "none";
        row[7] = "none";
        row[8] = "0";
        row[9] = std::to_string(parseInt(t.cell(main, 9)) + parseInt(t.cell(second, 9)) / 3 * 2);
        row[10] = "action_equip";
        row[11] = "consume_type_normal";
        row[12] = "1";
        row[13] = "1";
        row[14] = v.soulshots;
        row[15] = v.spiritshots;
        row[16] = "1";
        row[17] = "0";
        row[18] = std::to_string(sum(18));
        row[19] = "[none]";
        row[20] = "[none]";
        row[21] = t.cell(main, 21);
        row[22] = v.grade;
        row[23] = std::to_string(sum(23));
        row[24] = row[25] = row[26] = "1";
        edit.appended.push_back(std::move(row));
    } catch (const OperationError&) {
        // Nothing was appended: the table stays as it was.
        log.add("Error occured in itemdata during generation of duals");
        return {};
    }
    log.add("Dual weapon added");
    return edit;
}

} // namespace aethrian
