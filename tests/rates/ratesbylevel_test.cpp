#include "rates/compare.h"
#include "rates/ratesbylevel.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace aethrian;

namespace {

// "name level exp sp adena" per paired monster, "-" for a missing ratio.
std::string dump(const std::vector<LevelRates>& rates) {
    std::ostringstream out;
    const auto put = [&](const std::optional<double>& v) {
        if (v)
            out << ' ' << *v;
        else
            out << " -";
    };
    for (const LevelRates& r : rates) {
        out << r.row << ' ' << r.name << ' ' << r.level;
        put(r.exp);
        put(r.sp);
        put(r.adena);
        out << '\n';
    }
    return out.str();
}

CompareResult xRateCompare(const std::string& a, const std::string& b) {
    CompareOptions o;
    o.xRate = true;
    o.showMissing = true;
    const TextLines la = splitRecordLines(a), lb = splitRecordLines(b);
    CompareResult r;
    compareRecords(kNpcCompare, la, &lb, o, r);
    return r;
}

std::string npc(const std::string& name, const std::string& level, const std::string& exp,
                const std::string& sp, const std::string& drops) {
    return "npc_begin\twarrior\t1\t[" + name + "]\tlevel=" + level + "\tacquire_exp_rate=" + exp +
           "\tacquire_sp=" + sp + "\tadditional_make_multi_list=" + drops + "\tnpc_end\n";
}

} // namespace

TEST(RatesByLevel, ReadsTheRatiosOfPairedMonstersAgainstTheirLevel) {
    const std::string first =
        npc("orc", "5", "8.4", "14", "{{{{[adena];84;168;100}};70}}") +
        npc("wolf", "(7", "3", "0", "{{{{[pelt];1;1;50}};100}}") + // level "(7": no number
        npc("bat", "9", "1.5", "6", "{{{{[adena];10;20;100}};70}}") +
        npc("ghost", "20", "1", "1", "{}") + // not in the second file: "N/A"
        npc("imp", "30", "2", "3", "{{{{[adena];5;5;100}};100}}");
    const std::string second = npc("orc", "5", "4.2", "7", "{{{{[adena];42;84;100}};70}}") +
                               npc("wolf", "7", "3", "5", "{{{{[pelt];1;1;50}};100}}") +
                               npc("bat", "10", "3", "6", "{{{{[jewel];1;1;5}};70}}") +
                               npc("imp", "30", "4", "0", "{{{{[adena];20;5;100}};100}}");
    const CompareResult r = xRateCompare(first, second);
    // bat's level differs: the first file's counts. Its adena has no partner: no ratio. imp's
    // second sp is "0": no ratio; its adena minimum halves.
    EXPECT_EQ(dump(ratesByLevel(r.grid, '.')), "1 orc 5 2 2 2\n"
                                               "3 bat 9 0.5 1 -\n"
                                               "5 imp 30 0.5 - 0.25\n");
}

TEST(RatesByLevel, CellRatiosFollowTheDivider) {
    EXPECT_EQ(cellRatio("0,5x", ','), 0.5);
    EXPECT_EQ(cellRatio("0.5x", ','), 0.5);
    EXPECT_EQ(cellRatio("(1 <> 2)", ','), std::nullopt);
    EXPECT_EQ(cellRatio("x", ','), std::nullopt);
    EXPECT_EQ(adenaRatio("{{[a];2x;2x;1x}{[adena];3x;1x;1x}}", '.'), 3.0);
    EXPECT_EQ(adenaRatio("{{[adena];42;84;100x}}", '.'), std::nullopt);
}
