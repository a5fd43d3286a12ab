#include "app/errors.h"
#include "lint/lint.h"
#include "lint/lintreport.h"
#include "records/tableio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace aethrian;
namespace fs = std::filesystem;

namespace {

const std::string kExamples = std::string(AETHRIAN_SOURCE_DIR) + "/examples";

class LintFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("aeth-lint-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& rel, const std::string& text) {
        const fs::path p = dir / rel;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.generic_string();
    }
    fs::path dir;
};

const Finding* findingOf(const LintReport& r, const std::string& check, const std::string& record) {
    for (const Finding& f : r.findings)
        if (f.check == check && f.record == record)
            return &f;
    return nullptr;
}

} // namespace

TEST_F(LintFolder, SearchIgnoresCaseGoesDownAndPrefersTheShallowestFile) {
    write("deep/er/NPCDATA.TXT", "");
    write("deep/npcdata.txt", "");
    write("b/ItemData.txt", "");
    write("a/itemdata.txt", "");
    write(".git/npcpos.txt", ""); // hidden folders are not the server's
    write("npcdata_2x.txt", "");  // not the usual name
    write("npcpos.txt.bak", "");
    fs::create_directories(dir / "skilldata.txt"); // a folder is no file
    const ServerFiles files = findServerFiles(dir.string());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files.at("npcdata"), (dir / "deep/npcdata.txt").generic_string());
    EXPECT_EQ(files.at("itemdata"), (dir / "a/itemdata.txt").generic_string());
    EXPECT_THROW(findServerFiles((dir / "none").string()), ExpectedProblem);
    EXPECT_THROW(findServerFiles(write("file.txt", "")), ExpectedProblem);
}

TEST(Lint, KindOfANamedFileIsTheLongestKindItsNameHolds) {
    EXPECT_EQ(serverFileKindOf("x/My_NPCDATA_2x.txt"), "npcdata");
    EXPECT_EQ(serverFileKindOf("npc_pch_reference.txt"), "npc_pch");
    EXPECT_EQ(serverFileKindOf("old/skillname-ru.txt"), "skillname");
    EXPECT_EQ(serverFileKindOf("npcdata/readme.txt"), ""); // the folder's name does not count
}

TEST(Lint, LoaderKeepsEachRecordsSourceLine) {
    const TextLines lines =
        splitRecordLines("// head\r\n\r\nnpc_begin\twarrior\t1\t[a]\tlevel=1\tnpc_end\r\n"
                         "other\r\nnpc_begin\twarrior\t2\t[b]\tlevel=2\tnpc_end\r\n");
    Table t;
    const LoadReport report = LoadTable(lines, kNpcKind, t);
    EXPECT_EQ(report.rowLines, (std::vector<size_t>{2, 4}));
}

TEST(Lint, ExamplesFindingsAreLocatedAtTheirRecordsAndLines) {
    const LintReport r = lintServer(findServerFiles(kExamples), {}, ',');
    EXPECT_EQ(r.checksRun.size(), lintChecks().size());
    struct Expect {
        const char* check;
        const char* record;
        const char* file;
        size_t line;
        const char* id;
        const char* message;
    };
    for (const Expect& e : std::initializer_list<Expect>{
             {"items-exist", "cave_bat", "npcdata.txt", 6, "20005", "  item ghost_blade not found"},
             {"npcgrp", "karik", "npcdata.txt", 4, "20003", "NPC [karik] (20003) not found."},
             {"npc-duplicates", "blue_wolf", "npcdata.txt", 5, "20004",
              "blue_wolf (ID:20004) is a duplicate of blue_wolf(ID:20006)"},
             {"item-duplicates", "wolf_pelt", "itemdata.txt", 14, "73",
              "wolf_pelt (ID:73) is a duplicate of wolf_pelt(ID:1867)"},
             {"monsters-exist", "ghost_wolf", "npcpos.txt", 7, "", "NPC ghost_wolf not found."},
             {"npcpos-npcs", "blue", "npcpos.txt", 8, "", "blue non è stato trovato"},
             {"skill-pch", "s_sonic_blaster1", "skilldata.txt", 5, "9",
              "[s_sonic_blaster1] non è stato trovato"},
         }) {
        SCOPED_TRACE(e.check);
        const Finding* f = findingOf(r, e.check, e.record);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->file, kExamples + "/" + e.file);
        EXPECT_EQ(f->line, e.line);
        EXPECT_EQ(f->id, e.id);
        EXPECT_EQ(f->message, e.message);
    }
    // Sorted by file, then line.
    for (size_t i = 1; i < r.findings.size(); ++i) {
        const Finding& a = r.findings[i - 1];
        const Finding& b = r.findings[i];
        EXPECT_TRUE(a.file < b.file || (a.file == b.file && a.line <= b.line));
    }
}

TEST_F(LintFolder, OnlyChecksWithTheirInputsRunAndSkippedOnesDoNot) {
    write("npcdata.txt", "npc_begin\twarrior\t1\t[a]\tlevel=1\tnpc_end\n");
    write("npcpos.txt", "npc_begin\t[ghost]\tnpc_end\n");
    const ServerFiles files = findServerFiles(dir.string());
    const LintReport all = lintServer(files, {}, ',');
    EXPECT_EQ(all.checksRun,
              (std::vector<std::string>{"field-order", "npc-duplicates", "drop-numbers",
                                        "monsters-exist", "npcpos-npcs"}));
    const LintReport some = lintServer(files, {"monsters-exist", "field-order"}, ',');
    EXPECT_EQ(some.checksRun,
              (std::vector<std::string>{"npc-duplicates", "drop-numbers", "npcpos-npcs"}));
    ASSERT_EQ(some.findings.size(), 1u);
    EXPECT_EQ(some.findings[0].line, 1u);
    EXPECT_EQ(some.findings[0].record, "ghost");
}

TEST_F(LintFolder, ACheckEndedByAValueThatDoesNotReadIsAFindingAndTheOthersGoOn) {
    write("itemdata.txt", "item_begin\tetcitem\tx1\t[a]\titem_type=etcitem\titem_end\n");
    const LintReport r = lintServer(findServerFiles(dir.string()), {}, ',');
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].check, "item-duplicates");
    EXPECT_EQ(r.findings[0].line, 0u);
    EXPECT_NE(r.findings[0].message.find("'x1'"), std::string::npos);
    EXPECT_EQ(r.checksRun.size(), 2u);
}

TEST(LintReport, JsonRoundTripsThroughTheBaselineWhateverTheTextsHold) {
    LintReport r;
    r.files = {{"npcdata", "a \"quoted\"\\path/npcdata.txt"}};
    r.checksRun = {"npcgrp"};
    const std::string odd =
        std::string("tab\there, nul ") + '\0' + " bell \x07 del \x7F unicode è ✓ 𝄞 \"q\" \\ \n";
    r.findings.push_back({"npcgrp", "npcdata", r.files["npcdata"], 3, odd, "1", odd});
    r.findings.push_back({"npcgrp", "npcdata", r.files["npcdata"], 0, "", "", "plain"});
    const std::string json = lintJson(r, r.findings, 0);
    EXPECT_NE(json.find("\"line\": null, \"record\": null, \"id\": null"), std::string::npos);
    EXPECT_NE(json.find("\\u0000"), std::string::npos);
    EXPECT_NE(json.find("\\u0007"), std::string::npos);
    size_t suppressed = 0;
    EXPECT_TRUE(newFindings(r, readBaseline(json), suppressed).empty());
    EXPECT_EQ(suppressed, 2u);
    EXPECT_EQ(jsonString("\xF0\x9D\x84\x9E"), "\"\xF0\x9D\x84\x9E\"");
}

TEST(LintReport, BaselineIgnoresLinesAndFolderButCountsEachKnownFindingOnce) {
    // An earlier report, made in another folder, with one finding now on another line.
    const std::string earlier = R"({"files": {"npcdata": "old/npcdata.txt"}, "findings": [
        {"check": "npcgrp", "file": "old/npcdata.txt", "line": 9, "record": "a", "id": "1", "message": "m"},
        {"check": "npcgrp", "file": "elsewhere.txt", "line": 1, "record": "b", "id": null, "message": "m"}],
        "summary": {"checks": {"npcgrp": 2}, "total": 2, "suppressed": 0}})";
    LintReport now;
    now.files = {{"npcdata", "new/npcdata.txt"}};
    now.checksRun = {"npcgrp"};
    now.findings = {{"npcgrp", "npcdata", "new/npcdata.txt", 2, "a", "1", "m"},
                    {"npcgrp", "npcdata", "new/npcdata.txt", 5, "a", "1", "m"},
                    {"npcgrp", "npcdata", "new/npcdata.txt", 7, "b", "2", "m"},
                    {"npcpos-npcs", "npcdata", "new/npcdata.txt", 2, "a", "1", "m"}};
    size_t suppressed = 0;
    const std::vector<Finding> shown = newFindings(now, readBaseline(earlier), suppressed);
    EXPECT_EQ(suppressed, 1u);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].line, 5u); // the second of two equal findings is new
    EXPECT_EQ(
        lintText(now, shown, suppressed),
        "new/npcdata.txt:5: npcgrp: m\nnew/npcdata.txt:7: npcgrp: m\nnew/npcdata.txt:2: "
        "npcpos-npcs: m\n"
        "lint: 1 checks run, 3 findings (npcgrp 2, npcpos-npcs 1), 1 suppressed by the baseline\n");
}

TEST(LintReport, AnythingButAReportIsRefusedAsABaseline) {
    for (const std::string& bad :
         std::initializer_list<std::string>{"",
                                            "   ",
                                            "{",
                                            "[]",
                                            "null",
                                            "{\"findings\": {}}",
                                            "{\"findings\": [1]}",
                                            "{\"findings\": [{\"check\": 3}]}",
                                            "{\"files\": [], \"findings\": []}",
                                            "{\"findings\": []} x",
                                            "{\"findings\": [01]}",
                                            "{\"findings\": [\"\\x\"]}",
                                            "{\"findings\": [\"\\u12\"]}",
                                            "{\"findings\": [\"a\nb\"]}",
                                            "{\"findings\": [-]}",
                                            "{\"findings\": [1.]}",
                                            "{\"findings\": [tru]}",
                                            "{\"findings\": [,]}",
                                            "{\"findings\": [\"open]}",
                                            "{findings: []}",
                                            std::string(100000, '[')}) {
        SCOPED_TRACE(bad.substr(0, 40));
        EXPECT_THROW(readBaseline(bad), ExpectedProblem);
    }
    EXPECT_TRUE(readBaseline("{\"findings\": [], \"extra\": [1.5e3, true, false, null, {\"a\": "
                             "\"\\ud834\\udd1e\"}]}")
                    .counts.empty());
}
