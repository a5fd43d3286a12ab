#include "app/errors.h"
#include "checks/skilltools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace aethrian;

namespace {

std::string skill(int id, int level, const std::string& name = "s") {
    return "skill_begin skill_name = [" + name + "] skill_id = " + std::to_string(id) +
           " level = " + std::to_string(level) + " skill_end";
}

struct Recorder {
    std::vector<std::string> events;
    SkillToolOutput out{[this](const std::string& m) { events.push_back("box: " + m); },
                        [this](const std::string& r) { events.push_back("list: " + r); },
                        {},
                        {}};
};

std::vector<std::string_view> views(const std::vector<std::string>& lines) {
    return {lines.begin(), lines.end()};
}

} // namespace

TEST(SkillTools, ValueRules) {
    EXPECT_EQ(skillIdText("skill_id = 1234 level = 2 "), "1234");
    EXPECT_EQ(skillIdText("skill_id = 12345678901 level"), ""); // 11 characters
    EXPECT_EQ(skillLevelText("a level = 10 b"), "10");
    EXPECT_EQ(skillNameText("skill_name = [s_power] x"), "[s_power]");
    EXPECT_EQ(skillPchName("   [s_power]\t=\t1"), "[s_power]");
}

TEST(SkillTools, SortIsNumericStableAndReportsEachDuplicateOnce) {
    const std::vector<std::string> lines{skill(10, 1, "a"), skill(9, 2, "b"), skill(9, 10, "c"),
                                         skill(10, 1, "d"), skill(3, 1, "e"), skill(10, 1, "f")};
    Recorder r;
    const auto sorted = sortSkillLines(views(lines), SkillPane::Skilldata, r.out);
    EXPECT_EQ(sorted, (std::vector<std::string>{lines[4], lines[1], lines[2], lines[0], lines[3],
                                                lines[5]}));
    EXPECT_EQ(r.events,
              (std::vector<std::string>{"box: DUPLICAZIONE, STESSO ID E STESSO LIVELLO!!!!!",
                                        "box: " + lines[0] + "|" + lines[3],
                                        "box: DUPLICAZIONE, STESSO ID E STESSO LIVELLO!!!!!",
                                        "box: " + lines[0] + "|" + lines[5], "box: done!"}));
    Recorder names;
    sortSkillLines(views({skill(1, 1), skill(1, 1)}), SkillPane::Skillname, names.out);
    EXPECT_EQ(names.events[1], "box: " + skill(1, 1));

    // The progress label ends at n - 2 of n - 1 (Skilldata) or of n - 2 (Skillname).
    std::pair<size_t, size_t> last;
    Recorder counted;
    counted.out.progress = [&](size_t k, size_t m) { last = {k, m}; };
    sortSkillLines(views(lines), SkillPane::Skilldata, counted.out);
    EXPECT_EQ(last, (std::pair<size_t, size_t>{4, 5}));
    sortSkillLines(views(lines), SkillPane::Skillname, counted.out);
    EXPECT_EQ(last, (std::pair<size_t, size_t>{4, 4}));

    // One line: nothing read, nothing moved. A header line ends the sort with the conversion error.
    Recorder one;
    EXPECT_EQ(sortSkillLines(views({"// header"}), SkillPane::Skilldata, one.out).size(), 1u);
    Recorder bad;
    EXPECT_THROW(sortSkillLines(views({skill(1, 1), "// header"}), SkillPane::Skilldata, bad.out),
                 OperationError);
    EXPECT_EQ(bad.events, std::vector<std::string>{"box: " + skill(1, 1) + "|// header"});
}

namespace {

// The sort as first written: each line of the sorted order walks back to the first line of its run
// of equal keys. Plainly right, and quadratic on a file of equal keys. Returns the message boxes;
// `sorted` gets the lines.
std::vector<std::string> referenceSort(const std::vector<std::pair<int, int>>& keys,
                                       const std::vector<std::string>& lines, SkillPane pane,
                                       std::vector<std::string>& sorted) {
    std::vector<size_t> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> boxes;
    for (size_t k = 0; k < order.size(); ++k) {
        size_t first = k;
        while (first > 0 && keys[order[first - 1]] == keys[order[k]])
            --first;
        if (first < k) {
            boxes.push_back("box: DUPLICAZIONE, STESSO ID E STESSO LIVELLO!!!!!");
            boxes.push_back("box: " + (pane == SkillPane::Skilldata
                                           ? lines[order[first]] + "|" + lines[order[k]]
                                           : lines[order[k]]));
        }
        sorted.push_back(lines[order[k]]);
    }
    boxes.push_back("box: done!");
    return boxes;
}

} // namespace

TEST(SkillTools, SortReportsTheSameDuplicatesAsAWalkBackToTheGroupStart) {
    std::mt19937 rng(10);
    for (int round = 0; round < 300; ++round) {
        // Few distinct keys, so runs of equal keys are long; every 40th round a file of one key.
        const size_t n = 2 + rng() % 600;
        const int values = round % 40 == 0 ? 1 : 1 + static_cast<int>(rng() % 5);
        std::vector<std::pair<int, int>> keys;
        std::vector<std::string> lines;
        for (size_t i = 0; i < n; ++i) {
            keys.emplace_back(static_cast<int>(rng() % values), static_cast<int>(rng() % values));
            lines.push_back(skill(keys.back().first, keys.back().second, "n" + std::to_string(i)));
        }
        for (SkillPane pane : {SkillPane::Skilldata, SkillPane::Skillname}) {
            Recorder r;
            std::vector<size_t> steps;
            r.out.progress = [&](size_t k, size_t) { steps.push_back(k); };
            const std::vector<std::string> sorted = sortSkillLines(views(lines), pane, r.out);
            std::vector<std::string> expectedSorted;
            ASSERT_EQ(r.events, referenceSort(keys, lines, pane, expectedSorted)) << round;
            ASSERT_EQ(sorted, expectedSorted) << round;
            // Steps every 256 lines and the last, n - 2.
            std::vector<size_t> expectedSteps;
            for (size_t k = 0; k + 1 < n; ++k)
                if (k % 256 == 0 || k == n - 2)
                    expectedSteps.push_back(k);
            EXPECT_EQ(steps, expectedSteps);
        }
    }
}

TEST(SkillTools, FindsAccumulateFindingsAndStopAtUnreadableLines) {
    Recorder r;
    findInSkillPch(views({skill(1, 1, "s_a"), skill(2, 1, "s_b")}), views({"  [s_a]\t=\t1"}),
                   r.out);
    EXPECT_EQ(r.events,
              (std::vector<std::string>{"list: [s_b] non è stato trovato", "box: done!"}));

    const std::vector<std::string> data{skill(1, 1), skill(1, 2), skill(2, 1)};
    const std::vector<std::string> grp{skill(1, 1), skill(2, 3)};
    Recorder g;
    findInSkillLines(views(data), views(grp), g.out);
    EXPECT_EQ(g.events, (std::vector<std::string>{"list: " + data[1] + " non è stato trovato",
                                                  "list: " + data[2] + " non è stato trovato",
                                                  "box: done!"}));
    // A line the walk reaches whose identifier is empty: its box, then the conversion error.
    const std::vector<std::string> broken{skill(1, 1), "no id here"};
    Recorder e;
    EXPECT_THROW(findInSkillLines(views(data), views(broken), e.out), OperationError);
    EXPECT_EQ(e.events, std::vector<std::string>{"box: " + data[1] + "|no id here"});
    // An empty identifier on the other pane's first line shows the box once, before a Skilldata
    // identifier that is not a number ends the find.
    Recorder f;
    EXPECT_THROW(findInSkillLines(views({"skill_id = x1 level = 1 "}), views({"header"}), f.out),
                 OperationError);
    EXPECT_EQ(f.events, std::vector<std::string>{"box: skill_id = x1 level = 1 |header"});
    Recorder once;
    EXPECT_THROW(findInSkillLines(views(data), views({"header"}), once.out), OperationError);
    EXPECT_EQ(once.events, std::vector<std::string>{"box: " + data[0] + "|header"});
}
