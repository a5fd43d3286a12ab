#include "app/errors.h"
#include "rates/compare.h"
#include "rates/listratio.h"
#include "rates/rateschecker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

using namespace aethrian;

namespace {

std::string npc(const std::string& name, const std::string& exp, const std::string& spoil,
                const std::string& adena, const std::string& drop) {
    const std::string sp = name == "porta" ? "231" : name == "karik" ? "583" : "7";
    return "npc_begin\twarrior\t1\t[" + name + "]\tlevel=5\tacquire_exp_rate=" + exp +
           "\tacquire_sp=" + sp + "\tcorpse_make_list={{[" + spoil +
           "]\tadditional_make_multi_list={{{{[adena];" + adena + ";100}};70};{{{[" + drop +
           "}};30}}\tnpc_end\r\n";
}

std::string oneX() {
    return npc("orc_grunt", "4.2", "rp_cedar_staff];1;1;2.2263}}", "42;84",
               "small_shield];1;1;58.8121") +
           npc("porta", "2.23", "crafted_leather];1;1;6.1404}}", "493;986",
               "brigandine_temper];1;1;24.6652") +
           npc("karik", "1.2", "blue_wolve's_breastplate_part];1;1;4.4055}}", "848;1696",
               "doom_shield];1;1;0.1954");
}

std::array<std::string, 15> defaults() {
    std::array<std::string, 15> r;
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = kRateMarks[i].referenceDefault;
    return r;
}

// "Orc Grunt Exp": the mark's row and column on the page.
std::string markLabel(size_t i) {
    const RateMark& m = kRateMarks[i];
    return std::string(kRateMonsterLabels[static_cast<size_t>(m.monster)]) + " " +
           kRateColumnLabels[static_cast<size_t>(m.column)];
}

std::map<std::string, RateResult> runCheck(const std::string& text, char divider = ',',
                                           std::array<std::string, 15> refs = defaults()) {
    std::map<std::string, RateResult> out;
    checkRates(text, refs, divider, [&](size_t i, const RateResult& r) { out[markLabel(i)] = r; });
    return out;
}

} // namespace

TEST(RatesChecker, OneXFileGivesOneEverywhereWithRawTooltips) {
    const auto results = runCheck(oneX());
    ASSERT_EQ(results.size(), 15u);
    for (const auto& [edit, r] : results)
        EXPECT_EQ(r.text, "1") << edit;
    EXPECT_EQ(results.at("Orc Grunt Exp").tooltip, "4,2");
    EXPECT_EQ(results.at("Orc Grunt Drop").tooltip, "58,8121");
    EXPECT_EQ(results.at("Orc Grunt Adena").tooltip, "42");
    // Under "." the defaults ("4,2") still read, through the same conversion as every number.
    const auto point = runCheck(oneX(), '.');
    EXPECT_EQ(point.at("Orc Grunt Exp").text, "1");
    EXPECT_EQ(point.at("Orc Grunt Exp").tooltip, "4.2");
}

TEST(RatesChecker, RatesAndOrderOfSearch) {
    std::string doubled = oneX();
    doubled.replace(doubled.find("42;84"), 5, "84;84");
    doubled.replace(doubled.find("=4.2"), 4, "=12.6");
    auto r = runCheck(doubled);
    EXPECT_EQ(r.at("Orc Grunt Adena").text, "2");
    EXPECT_EQ(r.at("Orc Grunt Exp").text, "3");

    // porta before orc_grunt and nowhere after it: N/A in porta's Exp only; karik still read.
    const std::string text = npc("porta", "2.23", "crafted_leather];1;1;6.1404}}", "493;986",
                                 "brigandine_temper];1;1;24.6652") +
                             npc("orc_grunt", "4.2", "rp_cedar_staff];1;1;2.2263}}", "42;84",
                                 "small_shield];1;1;58.8121") +
                             npc("karik", "2.4", "blue_wolve's_breastplate_part];1;1;4.4055}}",
                                 "848;1696", "doom_shield];1;1;0.1954");
    r = runCheck(text);
    EXPECT_EQ(r.at("Porta Exp").text, "N/A");
    EXPECT_EQ(r.count("Porta Sp"), 0u);
    EXPECT_EQ(r.at("Karik Exp").text, "2");
    EXPECT_EQ(r.at("Orc Grunt Exp").text, "1");

    // Without orc grunt, porta is searched from the start.
    r = runCheck(text.substr(0, text.find("npc_begin\twarrior\t1\t[orc_grunt]")));
    EXPECT_EQ(r.at("Orc Grunt Exp").text, "N/A");
    EXPECT_EQ(r.at("Porta Exp").text, "1");

    // One third in ten significant digits with the divider as separator.
    std::array<std::string, 15> refs = defaults();
    refs[1] = "21";
    EXPECT_EQ(runCheck(oneX(), ',', refs).at("Orc Grunt Sp").text, "0,3333333333");
}

TEST(RatesChecker, MissingMarkShowsNAAndKeepsTheCut) {
    std::string text = oneX();
    text.replace(text.find("small_shield"), 12, "large_shield");
    const auto r = runCheck(text);
    EXPECT_EQ(r.at("Orc Grunt Drop").text, "N/A");
    EXPECT_EQ(r.at("Orc Grunt Drop").tooltip, "");
    EXPECT_EQ(r.at("Porta Exp").text, "1"); // porta read as usual
}

TEST(RatesChecker, TwoDigitCountsEndTheCheckWithTheConversionError) {
    std::string text = oneX();
    text.replace(text.find("small_shield];1;1;"), 18, "small_shield];10;10;");
    std::map<std::string, RateResult> out;
    try {
        checkRates(text, defaults(), ',',
                   [&](size_t i, const RateResult& r) { out[markLabel(i)] = r; });
        FAIL() << "no error";
    } catch (const OperationError& e) {
        EXPECT_EQ(std::string(e.what()), "'0;58,8121' is not a valid floating point value");
    }
    ASSERT_EQ(out.size(), 5u);                           // exp, sp, spoil, adena of orc grunt stay
    EXPECT_EQ(out["Orc Grunt Drop"].text, std::nullopt); // the value that failed keeps its text...
    EXPECT_EQ(out["Orc Grunt Drop"].tooltip, "0;58,8121"); // ...and shows its raw value
}

TEST(ListRatio, ExamplesAndFailures) {
    EXPECT_EQ(listRatioText("{{[a];1;2;30};{[b];1;1;70}}", "{{[a];1;2;30};{[b];1;1;70}}", ','),
              "{{[a];1x;1x;1x}{[b];1x;1x;1x}}");
    EXPECT_EQ(listRatioText("{{[a];1;2;30};{[b];1;1;70}}", "", ','),
              "{{[a];1;2;30x}{[b];1;1;70x}}");
    EXPECT_EQ(listRatioText("{{[a];2;4;15}}", "{{[b];1;1;1};{[a];1;2;30}}", ','),
              "{{[a];2x;2x;0,5x}}");
    // Grouped lists: the group chance follows the entry.
    EXPECT_EQ(listRatioText("{{{{[adena];84;84;100}};70}}", "{{{{[adena];42;42;100}};35}}", ','),
              "{{[adena];2x;2x;1x}};2x | }");
    // Ten significant digits, with the divider as separator.
    EXPECT_EQ(listRatioText("{{[a];1;2;10}}", "{{[a];3;3;30}}", ','),
              "{{[a];0,3333333333x;0,6666666667x;0,3333333333x}}");
    EXPECT_EQ(listRatioText("{{[a];1;2;10}}", "{{[a];3;3;30}}", '.'),
              "{{[a];0.3333333333x;0.6666666667x;0.3333333333x}}");
    EXPECT_THROW(listRatioText("{{[a];1;2;30}}", "{{[a];0;2;30}}", ','), OperationError);
    EXPECT_THROW(listRatioText("{{[a];x;2;30}}", "{{[a];1;2;30}}", ','), OperationError);
}

namespace {

std::string rec(const std::string& name, const std::string& fields,
                const std::string& kind = "npc") {
    const std::string first = kind == "npc" ? "level=1\t" : "item_type=weapon\t";
    return kind + "_begin\tt\t1\t[" + name + "]\t" + first + fields + kind + "_end\n";
}

std::string rows(const CompareResult& r) {
    std::string out;
    for (const auto& row : r.grid.rows()) {
        for (size_t c = 0; c < row.size(); ++c)
            out += (c ? "|" : "") + row[c];
        out += "\n";
    }
    return out;
}

CompareResult compare(const std::string& a, const std::string* b, CompareOptions o = {},
                      const CompareMember& m = kNpcCompare) {
    const TextLines la = splitRecordLines(a);
    CompareResult r;
    if (b) {
        const TextLines lb = splitRecordLines(*b);
        compareRecords(m, la, &lb, o, r);
    } else {
        compareRecords(m, la, nullptr, o, r);
    }
    return r;
}

} // namespace

TEST(Compare, IdenticalFilesAndOnlyDifferences) {
    const std::string f = rec("a", "exp=1\t") + rec("b", "exp=2\t");
    EXPECT_EQ(rows(compare(f, &f)), " |Name|Type|ID|level|exp\n|a|t|1|1|1\n|b|t|1|1|2\n");
    CompareOptions only;
    only.onlyDifferences = true;
    const CompareResult r = compare(f, &f, only);
    EXPECT_EQ(r.grid.rowCount(), 1u);
    EXPECT_TRUE(r.notFound.empty());
}

TEST(Compare, DifferencesAndXRate) {
    const std::string a = rec("orc_grunt", "acquire_exp_rate=4.2\tacquire_sp=0\t");
    const std::string b = rec("orc_grunt", "acquire_exp_rate=8.4\tacquire_sp=5\t");
    EXPECT_EQ(rows(compare(a, &b)), " |Name|Type|ID|level|acquire_exp_rate|acquire_sp\n<>|orc_"
                                    "grunt|t|1|1|(4.2 <> 8.4)|(0 <> 5)\n");
    CompareOptions x;
    x.xRate = true;
    EXPECT_EQ(compare(a, &b, x).grid.cell(1, 5), "0,5x");
    EXPECT_EQ(compare(a, &b, x).grid.cell(1, 6), "(0 <> 5)"); // "0": no ratio
    x.divider = '.';
    EXPECT_EQ(compare(a, &b, x).grid.cell(1, 5), "0.5x");
    // Watch mode with x-rate: plain values, lists with "x}" endings.
    const std::string w =
        rec("m", "acquire_exp_rate=4.2\tcorpse_make_list={{[a];1;2;30};{[b];1;1;70}}\t");
    EXPECT_EQ(rows(compare(w, nullptr, x)), " |Name|Type|ID|level|acquire_exp_rate|corpse_make_"
                                            "list\n|m|t|1|1|4.2|{{[a];1;2;30x}{[b];1;1;70x}}\n");
    // A second value that reads as zero without being "0" ends the run; rows so far stay.
    const std::string z = rec("first", "exp=1\t") + rec("m", "exp=1\t");
    const std::string zb = rec("first", "exp=1\t") + rec("m", "exp=0.0\t");
    CompareResult partial;
    const TextLines la = splitRecordLines(z), lb = splitRecordLines(zb);
    CompareOptions xr;
    xr.xRate = true;
    EXPECT_THROW(compareRecords(kNpcCompare, la, &lb, xr, partial), OperationError);
    EXPECT_EQ(partial.grid.rowCount(), 2u);
}

TEST(Compare, ShorterSecondRecordPairsByPosition) {
    // The first record compared sets the columns; the short row keeps an empty last cell.
    const std::string full = rec("f", "x=1\ty=2\tz=3\t");
    const std::string a = full + rec("m", "x=1\ty=2\tz=3\t");
    const std::string b = full + rec("m", "x=1\tz=3\t");
    EXPECT_EQ(rows(compare(a, &b)),
              " |Name|Type|ID|level|x|y|z\n|f|t|1|1|1|2|3\n<>|m|t|1|1|1|(2 <> 3)|\n");
}

TEST(Compare, DuplicateNamesPairInOrderForNpcAndWithTheFirstForItems) {
    const std::string a = rec("m", "v=1\t") + rec("m", "v=2\t");
    const std::string b = rec("m", "v=1\t") + rec("m", "v=2\t");
    EXPECT_EQ(rows(compare(a, &b)), " |Name|Type|ID|level|v\n|m|t|1|1|1\n|m|t|1|1|2\n");
    const std::string ia = rec("m", "v=1\t", "item") + rec("m", "v=2\t", "item");
    const std::string ib = rec("m", "v=1\t", "item") + rec("m", "v=2\t", "item");
    EXPECT_EQ(rows(compare(ia, &ib, {}, kItemCompare)),
              " |Name|Type|ID|item_type|v\n|m|t|1|weapon|1\n<>|m|t|1|weapon|(2 <> 1)\n");
    // A third NPC record of the name finds nothing left.
    const CompareResult r = compare(a + rec("m", "v=3\t"), &b);
    EXPECT_EQ(r.notFound, std::vector<std::string>{"m"});
}

TEST(Compare, ShowMissingAndSkillMember) {
    const std::string a = rec("a", "v=1\t") + rec("gone", "v=2\t");
    const std::string b = rec("a", "v=1\t");
    CompareOptions show;
    show.showMissing = true;
    const CompareResult r = compare(a, &b, show);
    EXPECT_EQ(rows(r), " |Name|Type|ID|level|v\n|a|t|1|1|1\nN/A|gone|t|1|1|2\n");
    EXPECT_EQ(r.notFound, std::vector<std::string>{"gone"});

    const std::string s = "skill_begin\tskill_name=[s_a]\tskill_id=3\tlevel=1\tskill_end\n";
    const std::string s2 = "skill_begin\tskill_name=[s_a]\tskill_id=3\tlevel=2\tskill_end\n";
    EXPECT_EQ(rows(compare(s, &s2, {}, kSkillCompare)),
              " |Name|skill_id|level\n<>|s_a|3|(1 <> 2)\n");
    // Keys written with spaces: the row starts at "skill_begin", a field without "=" before a
    // later one has an empty value, and its key stops at its TAB.
    const std::string spaced = "skill_begin\tskill_name = [s_a]\tskill_id = 3\tskill_end\n";
    EXPECT_EQ(rows(compare(spaced, nullptr, {}, kSkillCompare)),
              " |Name|skill_begin|skill_name |skill_id \n|s_a|| [s_a]| 3\n");
}

namespace {

class StepRecorder : public Progress {
  public:
    void caption(const std::string& text) override { captions.push_back(text); }
    std::vector<std::string> captions;
};

} // namespace

// Without a window the records are compared in blocks on every core: rows, differing cells,
// missing names and the error that ends a run are those of the record-by-record run a window
// gets, whatever the number of threads, the error in a late block included.
TEST(Compare, BlocksOnEveryCoreGiveTheRecordByRecordResult) {
    std::string a, b, bad;
    for (int i = 0; i < 1500; ++i) {
        const std::string name = "m" + std::to_string(i % 700); // repeated names
        a += rec(name, "exp=" + std::to_string(i % 5 + 1) + "\tv=" + std::to_string(i) + "\t");
        if (i % 11 == 0) // missing from the second file
            continue;
        const std::string v = "\tv=" + std::to_string(i) + (i % 4 ? "" : "0") + "\t";
        b += rec(name, "exp=" + std::to_string(i % 3 + 1) + v);
        // A second value that reads as zero: the x-rate run ends at record 1201, in a late block.
        bad += rec(name, (i == 1201 ? "exp=0.0" : "exp=" + std::to_string(i % 3 + 1)) + v);
    }
    const TextLines la = splitRecordLines(a);
    struct Quiet : Progress {};
    const std::string* seconds[] = {&b, &bad, nullptr};
    for (const std::string* second : seconds) {
        for (const int flags : {0, 1, 2, 3, 4}) {
            CompareOptions o;
            o.onlyDifferences = flags == 1;
            o.showMissing = flags >= 2;
            o.xRate = flags >= 3;
            const CompareMember& m = flags == 4 ? kItemCompare : kNpcCompare;
            const TextLines lb = second ? splitRecordLines(*second) : TextLines();
            const auto run = [&](Progress* progress) {
                CompareResult r;
                std::string error;
                try {
                    compareRecords(m, la, second ? &lb : nullptr, o, r, progress);
                } catch (const std::exception& e) {
                    error = e.what();
                }
                return std::make_tuple(rows(r), r.differs, r.notFound, error);
            };
            Quiet quiet;
            const auto expected = run(&quiet);
            for (const char* threads : {"1", "2", "3"}) {
                ::setenv("AETHRIAN_THREADS", threads, 1);
                EXPECT_EQ(run(nullptr), expected) << threads << " threads, flags " << flags;
            }
            ::unsetenv("AETHRIAN_THREADS");
        }
    }
}

TEST(Compare, ProgressStagesFollowTheSearchedLines) {
    std::string a, b;
    for (int i = 0; i < 1002; ++i)
        a += rec("n" + std::to_string(i), "v=1\t");
    StepRecorder steps;
    CompareResult r;
    const TextLines la = splitRecordLines(a);
    compareRecords(kNpcCompare, la, nullptr, {}, r, &steps);
    EXPECT_EQ(steps.captions,
              (std::vector<std::string>{".Working.", "..Working.."})); // 501 and 1002
}

// A record without end marker: its last field keeps the text up to the line's end, as the table
// loader reads it, so a difference there is shown instead of two empty values.
TEST(Compare, LastFieldWithoutEndMarkerKeepsItsValue) {
    const std::string a = "npc_begin\tt\t1\t[m]\tlevel=1\texp=2\r\n";
    const std::string b = "npc_begin\tt\t1\t[m]\tlevel=1\texp=3\r\n";
    EXPECT_EQ(rows(compare(a, &b)), " |Name|Type|ID|level|exp\n<>|m|t|1|1|(2 <> 3)\n");
}

TEST(Compare, CaptionPeriodsOfEachMemberWithAndWithoutSecondFile) {
    // Without a second file a stage per 501 NPC or 101 ITEM and SKILL records; with one, a stage
    // per 10001 (NPC) or 4001 (ITEM, SKILL) second-file lines examined. A record missing from the
    // second file examines all of its lines.
    const auto record = [](const CompareMember& m, const std::string& name) {
        if (&m == &kSkillCompare)
            return "skill_begin\tskill_name=[" + name + "]\tskill_id=1\tlevel=1\tskill_end\n";
        return rec(name, "v=1\t", &m == &kNpcCompare ? "npc" : "item");
    };
    struct Case {
        const CompareMember* member;
        bool second;
        size_t count; // first-file records, or second-file lines
        size_t stages;
    };
    const Case cases[] = {
        {&kNpcCompare, false, 500, 0},   {&kNpcCompare, false, 501, 1},
        {&kNpcCompare, false, 1001, 1},  {&kNpcCompare, false, 1002, 2},
        {&kItemCompare, false, 100, 0},  {&kItemCompare, false, 101, 1},
        {&kItemCompare, false, 201, 1},  {&kItemCompare, false, 202, 2},
        {&kSkillCompare, false, 101, 1}, {&kSkillCompare, false, 201, 1},
        {&kNpcCompare, true, 10000, 0},  {&kNpcCompare, true, 10001, 1},
        {&kItemCompare, true, 4000, 0},  {&kItemCompare, true, 4001, 1},
        {&kSkillCompare, true, 4000, 0}, {&kSkillCompare, true, 4001, 1},
    };
    for (const Case& c : cases) {
        std::string first, second;
        if (c.second) {
            first = record(*c.member, "missing");
            for (size_t i = 0; i < c.count; ++i)
                second += record(*c.member, "n" + std::to_string(i));
        } else {
            for (size_t i = 0; i < c.count; ++i)
                first += record(*c.member, "n" + std::to_string(i));
        }
        const TextLines la = splitRecordLines(first);
        const TextLines lb = splitRecordLines(second);
        StepRecorder steps;
        CompareResult r;
        compareRecords(*c.member, la, c.second ? &lb : nullptr, {}, r, &steps);
        EXPECT_EQ(steps.captions.size(), c.stages)
            << c.member->begin << (c.second ? " with " : " without ") << "second file, " << c.count;
    }
}

TEST(ListRatio, GroupChanceWindow) {
    // An entry is followed by its group's chance when "};" comes within 7 characters: in the first
    // list counted from the end of the entry's chance text to the "};" after the entry's "}"; in
    // the second list, measured before that "}" is cut, one character sooner. Padding moves "};"
    // away one character at a time; the other list keeps it right after the entry.
    const auto list = [](const std::string& low, const std::string& chance, size_t pad,
                         const std::string& group) {
        return "{{{{[a];" + low + ";" + chance + "}" + std::string(pad, ' ') + "};" + group + "}}";
    };
    for (const std::string chance : {"1", "100"}) {
        for (size_t pad = 0; pad <= 10; ++pad) {
            const bool firstGrouped = pad < chance.size() + 7;
            EXPECT_EQ(
                listRatioText(list("2;4", chance, pad, "70"), list("1;2", chance, 0, "35"), ','),
                firstGrouped ? "{{[a];2x;2x;1x}};2x | }" : "{{[a];2x;2x;1x}}")
                << "first list, chance " << chance << ", " << pad << " spaces";
            const bool secondGrouped = pad + 1 < 7;
            EXPECT_EQ(
                listRatioText(list("2;4", chance, 0, "70"), list("1;2", chance, pad, "35"), ','),
                secondGrouped ? "{{[a];2x;2x;1x}};2x | }" : "{{[a];2x;2x;1x}}")
                << "second list, chance " << chance << ", " << pad << " spaces";
        }
    }
}
