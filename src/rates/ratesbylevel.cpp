#include "rates/ratesbylevel.h"

#include "app/numbers.h"

#include <string_view>

namespace aethrian {

namespace {

std::optional<double> number(std::string_view text, char divider) {
    const std::optional<long double> v = tryParseFloat(dotRem(text, divider), divider);
    if (!v)
        return std::nullopt;
    return static_cast<double>(*v);
}

// A compared value "(first <> second)" stands for the first file's value.
std::string_view firstValue(std::string_view cell) {
    const size_t sep = cell.find(" <> ");
    if (cell.size() > 5 && cell.front() == '(' && cell.back() == ')' && sep != cell.npos)
        return cell.substr(1, sep - 1);
    return cell;
}

size_t column(const Table& grid, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (const size_t c = grid.findColumn(key); c != Table::npos)
            return c;
    return Table::npos;
}

} // namespace

std::optional<double> cellRatio(std::string_view cell, char divider) {
    if (cell.size() < 2 || cell.back() != 'x')
        return std::nullopt;
    return number(cell.substr(0, cell.size() - 1), divider);
}

std::optional<double> adenaRatio(std::string_view listRatio, char divider) {
    constexpr std::string_view entry = "[adena];";
    const size_t at = listRatio.find(entry);
    if (at == listRatio.npos)
        return std::nullopt;
    const std::string_view rest = listRatio.substr(at + entry.size());
    // A paired entry reads "2x;..."; one the second list lacks keeps its plain minimum "42;".
    return cellRatio(rest.substr(0, rest.find(';')), divider);
}

std::vector<LevelRates> ratesByLevel(const Table& grid, char divider) {
    std::vector<LevelRates> out;
    if (grid.rowCount() == 0)
        return out;
    const size_t level = column(grid, {"level"});
    const size_t exp = column(grid, {"acquire_exp_rate", "exp"});
    const size_t sp = column(grid, {"acquire_sp"});
    const size_t lists[] = {grid.findColumn("additional_make_multi_list"),
                            grid.findColumn("corpse_make_list"),
                            grid.findColumn("additional_make_list")};
    for (size_t r = 1; r < grid.rowCount(); ++r) {
        if (grid.text(r, 0) == "N/A" || grid.text(r, 1).empty())
            continue;
        const std::optional<double> lv = number(firstValue(grid.text(r, level)), divider);
        if (!lv)
            continue;
        LevelRates rates;
        rates.row = r;
        rates.name = grid.cell(r, 1);
        rates.level = *lv;
        rates.exp = cellRatio(grid.text(r, exp), divider);
        rates.sp = cellRatio(grid.text(r, sp), divider);
        for (size_t c : lists)
            if (!rates.adena)
                rates.adena = adenaRatio(grid.text(r, c), divider);
        out.push_back(std::move(rates));
    }
    return out;
}

} // namespace aethrian
