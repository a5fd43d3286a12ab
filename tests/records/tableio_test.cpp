#include "app/errors.h"
#include "records/recordline.h"
#include "records/skilltable.h"
#include "records/tableio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace aethrian;

namespace {

TextLines lines(const std::string& text) {
    return splitRecordLines(text);
}

std::string npcLine(const std::string& name, const std::string& id, const std::string& fields) {
    return "npc_begin\twarrior\t" + id + "\t[" + name + "]\t" + fields + "npc_end";
}

class CaptionRecorder : public LoadObserver {
  public:
    void caption(const std::string& text) override { captions.push_back(text); }
    void lastRead(std::string_view name) override { last = name; }
    std::vector<std::string> captions;
    std::string last;
};

std::filesystem::path tempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("aeth-" + std::to_string(::getpid()) + "-" + name);
}

} // namespace

TEST(LoadTable, ColumnsFromFirstRecordValuesByPosition) {
    Table t;
    const std::string text = "// header line\n" + npcLine("a", "1", "level=1\tx=2\ty=3\t") + "\n" +
                             npcLine("b", "2", "level=4\ty=5\t") + "\n" +
                             npcLine("c", "3", "level=6\tz=7\tq=8\textra=9\t") + "\n";
    const LoadReport r = LoadTable(lines(text), kNpcKind, t);
    EXPECT_EQ(dumpTable(t), " |Name|Type|ID|level|x|y\n"
                            "|a|warrior|1|1|2|3\n"
                            "|b|warrior|2|4|5|\n"
                            "|c|warrior|3|6|7|8\n");
    EXPECT_EQ(r.records, 3u);
    EXPECT_EQ(r.lastRead, "c");
    ASSERT_EQ(r.mismatches.size(), 2u);
    EXPECT_EQ(r.mismatches[0].row, 2u);
    EXPECT_EQ(r.mismatches[0].column, 5u);
    EXPECT_EQ(r.mismatches[0].expectedKey, "x");
    EXPECT_EQ(r.mismatches[0].actualKey, "y");
    EXPECT_EQ(r.mismatches[1].column, 5u);
    EXPECT_EQ(
        fieldOrderLine(r.mismatches[0]),
        "Field order differs: row 2 [b], column 5 has \"y\" where the first record has \"x\"");
    EXPECT_EQ(
        fieldOrderLine(r.mismatches[1]),
        "Field order differs: row 3 [c], column 5 has \"z\" where the first record has \"x\"");
}

TEST(LoadTable, FieldCountDifferencesAreMismatches) {
    Table t;
    const std::string text = npcLine("a", "1", "level=1\tx=2\t") + "\n" +
                             npcLine("b", "2", "level=4\t") + "\n" +
                             npcLine("c", "3", "level=6\tx=7\tq=8\t") + "\n" +
                             npcLine("d", "4", "level=6\tx=7\t") + "\n";
    const LoadReport r = LoadTable(lines(text), kNpcKind, t);
    ASSERT_EQ(r.mismatches.size(), 2u);
    EXPECT_EQ(
        fieldOrderLine(r.mismatches[0]),
        "Field order differs: row 2 [b], column 5 has (none) where the first record has \"x\"");
    EXPECT_EQ(
        fieldOrderLine(r.mismatches[1]),
        "Field order differs: row 3 [c], column 6 has \"q\" where the first record has (none)");
}

TEST(LoadTable, NoRecordsLeavesHeaderOnlyAndReloadDropsColumns) {
    Table t;
    LoadTable(lines(npcLine("a", "1", "level=1\tx=2\t")), kNpcKind, t);
    EXPECT_EQ(t.colCount(), 6u);
    LoadTable(lines("nothing here\n"), kNpcKind, t);
    EXPECT_EQ(dumpTable(t), " |Name|Type|ID\n");
}

TEST(LoadTable, CaptionEvery101Records) {
    std::string text;
    for (int i = 0; i < 250; ++i)
        text += npcLine("n" + std::to_string(i), std::to_string(i), "level=1\t") + "\r\n";
    Table t;
    CaptionRecorder rec;
    LoadTable(lines(text), kNpcKind, t, &rec);
    EXPECT_EQ(rec.captions, (std::vector<std::string>{".Working.", "..Working.."}));
    EXPECT_EQ(rec.last, "n249");
    EXPECT_EQ(t.rowCount(), 251u);
}

// A load without an observer shares the records among threads: the table, the mismatches (in row
// order) and the source lines must be those of the window's one-thread load.
TEST(LoadTable, SharedAmongThreadsAsOnOne) {
    std::string text = "// a comment\n";
    for (int i = 0; i < 2600; ++i) {
        const std::string fields = i % 777 == 5   ? "level=1\ty=2\t"
                                   : i % 901 == 7 ? "level=1\t"
                                                  : "level=" + std::to_string(i) + "\tx=1\t";
        text +=
            npcLine("n" + std::to_string(i), std::to_string(i), fields) + (i % 3 ? "\n" : "\n\n");
    }
    const TextLines source = lines(text);
    Table oneThread, shared;
    CaptionRecorder observer;
    const LoadReport a = LoadTable(source, kNpcKind, oneThread, &observer);
    ::setenv("AETHRIAN_THREADS", "3", 1);
    const LoadReport b = LoadTable(source, kNpcKind, shared);
    ::unsetenv("AETHRIAN_THREADS");
    EXPECT_EQ(dumpTable(shared), dumpTable(oneThread));
    EXPECT_EQ(b.records, 2600u);
    EXPECT_EQ(b.rowLines, a.rowLines);
    EXPECT_EQ(b.lastRead, "n2599");
    ASSERT_EQ(b.mismatches.size(), a.mismatches.size());
    ASSERT_EQ(b.mismatches.size(), 7u);
    for (size_t i = 0; i < a.mismatches.size(); ++i)
        EXPECT_EQ(fieldOrderLine(b.mismatches[i]), fieldOrderLine(a.mismatches[i]));
}

TEST(LoadTableFile, MissingFileOrFolderKeepsTable) {
    Table t;
    t.setCell(1, 1, "kept");
    for (const std::string& path : {std::string(), std::string("/nonexistent/x.txt"),
                                    std::filesystem::temp_directory_path().string()}) {
        try {
            LoadTableFile(path, kItemKind, t);
            FAIL() << path;
        } catch (const ExpectedProblem& e) {
            EXPECT_STREQ(e.what(), "ITEMData files doesn't exists...");
        }
    }
    EXPECT_EQ(t.cell(1, 1), "kept");
}

TEST(SaveTable, CaptionEvery2001RowsAndExactBytes) {
    Table t;
    t.setRowCount(4501);
    CaptionRecorder rec;
    const std::string bytes = EncodeTable(t, kNpcKind, ',', &rec);
    EXPECT_EQ(rec.captions.size(), 2u);
    Table initial;
    const std::string one = EncodeTable(initial, kNpcKind, ',');
    EXPECT_EQ(one, encodeUtf16LE("npc_begin\t\t\t[]\tnpc_end\r\n", true));
    Table empty;
    empty.resetHeaderOnly();
    EXPECT_EQ(EncodeTable(empty, kNpcKind, ','), "\xFF\xFE");
}

TEST(SaveTable, RoundTripThroughEveryEncoding) {
    const std::string ascii = "header\n" +
                              npcLine("orc", "1", "level=5\trate=4.2\tdrop={{[adena];1;2;50}}\t") +
                              "\n" + npcLine("wolf", "2", "level=7\trate=1.5\tdrop={}\t") + "\n";
    Table expected;
    LoadTable(lines(ascii), kNpcKind, expected);
    const auto path = tempFile("roundtrip.txt");
    SaveTable(expected, kNpcKind, ',', path.string());
    const std::string saved = readFileBytes(path.string());
    EXPECT_EQ(saved, encodeUtf16LE(
                         npcLine("orc", "1", "level=5\trate=4.2\tdrop={{[adena];1;2;50}}\t") +
                             "\r\n" + npcLine("wolf", "2", "level=7\trate=1.5\tdrop={}\t") + "\r\n",
                         true));
    Table again;
    LoadTableFile(path.string(), kNpcKind, again);
    EXPECT_EQ(dumpTable(again), dumpTable(expected));
    SaveTable(again, kNpcKind, ',', path.string());
    EXPECT_EQ(readFileBytes(path.string()), saved);

    // UTF-16BE, UTF-8 with mark and Windows-1252 inputs load to the same table.
    std::string be = "\xFE\xFF";
    for (char c : ascii) {
        be += '\0';
        be += c;
    }
    for (const std::string& bytes : {be, "\xEF\xBB\xBF" + ascii, ascii}) {
        std::ofstream(path, std::ios::binary) << bytes;
        Table t;
        LoadTableFile(path.string(), kNpcKind, t);
        EXPECT_EQ(dumpTable(t), dumpTable(expected));
    }
    std::filesystem::remove(path);
}

TEST(SaveTable, KeepsUnicodeCells) {
    Table t;
    t.setCell(1, 1, "\xC3\xA9\xE4\xB8\xAD");
    const auto path = tempFile("unicode.txt");
    SaveTable(t, kItemKind, ',', path.string());
    Table back;
    LoadTableFile(path.string(), kItemKind, back);
    EXPECT_EQ(back.cell(1, 1), "\xC3\xA9\xE4\xB8\xAD");
    std::filesystem::remove(path);
}

TEST(SaveTable, ARecordWithoutEndMarkerKeepsItsLastValue) {
    Table t;
    LoadTable(lines("npc_begin\tw\t1\t[a]\tlevel=1\texp=20\r\n"), kNpcKind, t);
    EXPECT_EQ(t.cell(1, 5), "20");
    EXPECT_EQ(EncodeTable(t, kNpcKind, ','),
              encodeUtf16LE("npc_begin\tw\t1\t[a]\tlevel=1\texp=20\tnpc_end\r\n", true));
}

TEST(BusyCaptions, LoadsAndSavesAdvanceAtTheirIntervals) {
    // The caption advances right after record 101, 202, ... of a load and row 2001, 4002, ... of
    // a save; one record short of an interval gives no further caption.
    struct LoadCase {
        int records;
        std::vector<std::string> captionsAfter; // the name last read when each caption came
    };
    const LoadCase loads[] = {{100, {}},
                              {101, {"n100"}},
                              {201, {"n100"}},
                              {202, {"n100", "n201"}},
                              {250, {"n100", "n201"}}};
    class At : public LoadObserver {
      public:
        void caption(const std::string&) override { after.push_back(last); }
        void lastRead(std::string_view name) override { last = name; }
        std::vector<std::string> after;
        std::string last;
    };
    for (const LoadCase& c : loads) {
        std::string npc, skills;
        for (int i = 0; i < c.records; ++i) {
            npc += npcLine("n" + std::to_string(i), std::to_string(i), "level=1\t") + "\r\n";
            skills += "skill_begin\tskill_name=[n" + std::to_string(i) +
                      "]\tskill_id=1\tlevel=1\tskill_end\r\n";
        }
        Table t;
        At npcAt, skillAt;
        LoadTable(lines(npc), kNpcKind, t, &npcAt);
        EXPECT_EQ(npcAt.after, c.captionsAfter) << c.records << " records";
        LoadSkillTable(lines(skills), t, &skillAt);
        EXPECT_EQ(skillAt.after, c.captionsAfter) << c.records << " skill records";
    }
    for (const auto& [rows, captions] : {std::pair{2000, 0}, {2001, 1}, {4001, 1}, {4002, 2}}) {
        Table t;
        t.setRowCount(static_cast<size_t>(rows) + 1);
        CaptionRecorder npc, skill;
        EncodeTable(t, kNpcKind, ',', &npc);
        EXPECT_EQ(npc.captions.size(), static_cast<size_t>(captions)) << rows << " rows";
        EncodeSkillTable(t, &skill);
        EXPECT_EQ(skill.captions.size(), static_cast<size_t>(captions)) << rows << " skill rows";
    }
}

TEST(SaveTable, CommaAndDividerBecomePointInEveryCell) {
    // The saved line is the cells with every "," and every divider character written as "."
    // (so a divider other than "," or "." also reaches names and lists).
    struct Case {
        char divider;
        std::string cell, saved;
    };
    const Case cases[] = {
        {',', "1,5", "1.5"},
        {',', "2.25", "2.25"},
        {'.', "1,5", "1.5"},
        {'.', "2.25", "2.25"},
        {';', "1;5", "1.5"},
        {';', "1,5", "1.5"},
        {';', "{[a];1;2}", "{[a].1.2}"},
        {',', "{[a];1,5;2}", "{[a];1.5;2}"},
    };
    for (const Case& c : cases) {
        Table t;
        LoadTable(lines(npcLine("orc", "7", "level=1\trate=0\t")), kNpcKind, t);
        t.setCell(1, 5, c.cell);
        EXPECT_EQ(
            EncodeTable(t, kNpcKind, c.divider),
            encodeUtf16LE(npcLine("orc", "7", "level=1\trate=" + c.saved + "\t") + "\r\n", true))
            << c.divider << " " << c.cell;
    }
}

TEST(LoadTable, ColumnsAreFoundByTheirHeaderFromTheFirstOn) {
    Table t;
    LoadTable(lines(npcLine("orc", "7", "level=1\trate=0\tlevel=2\t")), kNpcKind, t);
    EXPECT_EQ(t.findColumn("Name"), 1u);
    EXPECT_EQ(t.findColumn("ID"), 3u);
    EXPECT_EQ(t.findColumn("level"), 4u); // the first of two
    EXPECT_EQ(t.findColumn("rate"), 5u);
    EXPECT_EQ(t.findColumn("orc"), Table::npos);
}
