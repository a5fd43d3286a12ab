#include "records/skilltable.h"

#include <gtest/gtest.h>

using namespace aethrian;

namespace {

std::string utf16(const std::string& ascii) {
    return encodeUtf16LE(ascii, true);
}

} // namespace

TEST(SkillTable, ColumnsFromFirstRecordAndValuesByPosition) {
    Table t;
    const std::string text =
        "// skills\n"
        "skill_begin\tskill_name=[s_power_strike11]\tskill_id=3\tlevel=1\toperate_type=A1\tskill_"
        "end\n"
        "skill_begin\tskill_name=[s_mortal_blow]\tskill_id=16\tlevel=2\tskill_end\n"
        "skill_begin\tskill_name=[s_x]\tskill_id=5\tlevel=1\toperate_type=P\textra=9\tskill_end\n";
    const LoadReport report = LoadSkillTable(splitRecordLines(text), t);
    EXPECT_EQ(report.records, 3u);
    EXPECT_EQ(report.lastRead, "s_x");
    EXPECT_EQ(dumpTable(t), dumpTable([] {
                  Table e;
                  e.setColCount(6);
                  e.setRowCount(1);
                  e.row(0) = {" ", "Name", "skill_name", "skill_id", "level", "operate_type"};
                  e.appendRow({"", "s_power_strike11", "[s_power_strike11]", "3", "1", "A1"});
                  e.appendRow({"", "s_mortal_blow", "[s_mortal_blow]", "16", "2", ""});
                  e.appendRow({"", "s_x", "[s_x]", "5", "1", "P"});
                  return e;
              }()));
    // The two records whose keys differ from the first record's are named for the log.
    ASSERT_EQ(report.mismatches.size(), 2u);
    EXPECT_EQ(fieldOrderLine(report.mismatches[0]),
              "Field order differs: row 2 [s_mortal_blow], column 5 has (none) where the first "
              "record has "
              "\"operate_type\"");
    EXPECT_EQ(fieldOrderLine(report.mismatches[1]),
              "Field order differs: row 3 [s_x], column 6 has \"extra\" where the first record has "
              "(none)");
}

TEST(SkillTable, WellFormedLinesRoundTripApartFromEncoding) {
    const std::string lines =
        "skill_begin\tskill_name=[a]\tskill_id=1\tlevel=1\teffect={{i_p_attack;{all};20;per}}"
        "\tskill_end\r\n"
        "skill_begin\tskill_name=[b]\tskill_id=2\tlevel=3\teffect=\tskill_end\r\n";
    Table t;
    LoadSkillTable(splitRecordLines(lines), t);
    EXPECT_EQ(EncodeSkillTable(t), utf16(lines));
}

TEST(SkillTable, MissingFileIsAnExpectedProblemAndTableStays) {
    Table t;
    t.setCell(1, 1, "kept");
    EXPECT_THROW(LoadSkillTableFile("/nonexistent/skilldata.txt", t), std::exception);
    EXPECT_EQ(t.cell(1, 1), "kept");
}
