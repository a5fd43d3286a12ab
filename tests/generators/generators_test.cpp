#include "app/errors.h"
#include "generators/clientdump.h"
#include "generators/duals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include <unistd.h>

using namespace aethrian;

namespace {

// An ITEM table row in the weapon layout: name, ID, soulshots (14), spiritshots (15), grade (22).
Table weapons(
    const std::vector<std::tuple<std::string, std::string, std::string, std::string>>& rows) {
    Table t;
    t.setColCount(27);
    t.setRowCount(1);
    for (const auto& [name, id, ss, grade] : rows) {
        Table::Row row(27, "1");
        row[0] = "";
        row[1] = name;
        row[3] = id;
        row[14] = ss;
        row[15] = ss;
        row[21] = "{[none]}";
        row[22] = grade;
        t.appendRow(row);
    }
    return t;
}

std::vector<std::string_view> lines(const std::vector<std::string>& owned) {
    return {owned.begin(), owned.end()};
}

} // namespace

TEST(Duals, GradesShotsAndTheNewRow) {
    const auto combined = [](const char* a, const char* b) {
        Table t = weapons({{"x", "1", "0", a}, {"y", "2", "0", b}});
        return recomputeDual(t, 1, 2).grade;
    };
    EXPECT_EQ(combined("c", "d"), "c");
    EXPECT_EQ(combined("d", "c"), "c");
    EXPECT_EQ(combined("b", "b"), "a");
    EXPECT_EQ(combined("a", "b"), "s");
    EXPECT_EQ(combined("a", "a"), "s"); // above the scale: its top
    EXPECT_EQ(combined("", "none"), "none");

    Table t = weapons({{"sword_a", "100", "2", "d"}, {"sword_b", "101", "3", "c"}});
    const DualValues v = recomputeDual(t, 1, 2);
    EXPECT_EQ(v.grade, "c");
    EXPECT_EQ(v.soulshots, "3");
    VectorLog log;
    const TableEdit edit = addDual(t, 1, 2, "500", v, log);
    applyEdit(t, edit);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Dual weapon added"});
    ASSERT_EQ(t.recordCount(), 3u);
    EXPECT_EQ(t.cell(3, 1), "sword_a*sword_b");
    EXPECT_EQ(t.cell(3, 3), "500");
    EXPECT_EQ(t.cell(3, 5), "{lrhand}");
    EXPECT_EQ(t.cell(3, 9), "1"); // 1 + (1 div 3) x 2
    EXPECT_EQ(t.cell(3, 18), "2");
    EXPECT_EQ(t.cell(3, 22), "c");
    revertEdit(t, edit);
    EXPECT_EQ(t.recordCount(), 2u);

    // A missing pick or a cell that is not a whole number: the error line, the table as it was.
    log.lines.clear();
    EXPECT_TRUE(addDual(t, 1, 0, "9", v, log).empty());
    t.setCell(2, 18, "x");
    EXPECT_TRUE(addDual(t, 1, 2, "9", v, log).empty());
    EXPECT_EQ(log.lines,
              std::vector<std::string>(2, "Error occured in itemdata during generation of duals"));
    EXPECT_EQ(t.recordCount(), 2u);
    t.setCell(2, 14, "a");
    EXPECT_THROW(recomputeDual(t, 1, 2), OperationError);

    // An item file narrower than the weapon layout (a fuzzer finding: the shots were read past
    // the row's end): missing cells read as empty, so the conversion error, and no dual.
    Table narrow = weapons({{"x", "1", "0", "d"}, {"y", "2", "0", "d"}});
    narrow.setColCount(6);
    EXPECT_THROW(recomputeDual(narrow, 1, 2), OperationError);
    log.lines.clear();
    EXPECT_TRUE(addDual(narrow, 1, 2, "9", v, log).empty());
    EXPECT_EQ(narrow.recordCount(), 2u);
}

TEST(ClientDump, LoadsByPositionFromTheIdOn) {
    const std::vector<std::string> dump{
        "// header", "item_begin\tobject_id=1\tobject_name=[a]\tweight=5\titem_end",
        "item_begin\tobject_id=2\tobject_name=[b]\titem_end",
        "item_begin\tobject_id=3\tobject_name=[c]\tweight=7\textra=9\titem_end"};
    Table t;
    LoadClientDump(lines(dump), kItemDumpMarks, t);
    EXPECT_EQ(dumpTable(t), dumpTable([] {
                  Table e;
                  e.setColCount(4);
                  e.setRowCount(1);
                  e.row(0) = {"", "object_id", "object_name", "weight"};
                  e.appendRow({"", "1", "[a]", "5"});
                  e.appendRow({"", "2", "[b]", ""});
                  e.appendRow({"", "3", "[c]", "7"});
                  return e;
              }()));
    Table none;
    LoadClientDump(lines({"nothing here"}), kItemDumpMarks, none);
    EXPECT_EQ(none.rowCount(), 1u);
    std::vector<std::string> out{"old"};
    exportPhp(none, PhpExport::EtcItem, 1, ',', out);
    EXPECT_TRUE(out.empty());
}

// Records after the first are read in blocks of lines on every core: the table is the one a
// single thread reads, with lines that are no records, short and long records and a last field
// without its TAB among them.
TEST(ClientDump, BlocksOfLinesReadAsOnOneThread) {
    std::vector<std::string> dump{"// header"};
    for (int i = 0; i < 3000; ++i) {
        std::string line = "item_begin\tobject_id=" + std::to_string(i) + "\tobject_name=[n" +
                           std::to_string(i) + "]";
        if (i % 5 != 1)
            line += "\tweight=" + std::to_string(i % 9);
        if (i % 7 == 3)
            line += "\textra=1";
        line += i % 11 == 4 ? "" : "\titem_end";
        dump.push_back(line);
        if (i % 13 == 0)
            dump.push_back("not a record " + std::to_string(i));
    }
    const auto load = [&](const char* threads) {
        ::setenv("AETHRIAN_THREADS", threads, 1);
        Table t;
        LoadClientDump(lines(dump), kItemDumpMarks, t);
        ::unsetenv("AETHRIAN_THREADS");
        return t;
    };
    const Table alone = load("1");
    ASSERT_EQ(alone.rowCount(), 3001u);
    for (const char* threads : {"2", "3"})
        EXPECT_TRUE(load(threads).rows() == alone.rows()) << threads;
}

TEST(ClientDump, PhpExportForms) {
    EXPECT_EQ(phpArray("{[a];[b]}"), "array(\"0\" => \"a\", \"1\" => \"b\")");
    EXPECT_EQ(phpArray("{[none]}"), "array(\"0\" => \"\")");
    EXPECT_EQ(phpArray("plain"), "array(\"0\" => \"\")");
    EXPECT_EQ(bracketStripped("[none]"), "");
    EXPECT_EQ(bracketStripped("{lrhand}", '{', '}'), "lrhand");

    Table names;
    names.setColCount(6);
    names.setRowCount(1);
    names.appendRow({"", "57", "[none]", "[]", "0", "[Money]"});
    std::vector<std::string> out;
    exportPhp(names, PhpExport::ItemName, 100, ',', out);
    EXPECT_EQ(out, std::vector<std::string>{
                       "    $rs[100] = array(\"id\" => \"57\", \"name\" => \"\", "
                       "\"additional_name\" => \"\", \"desc\" => \"Money\", \"popup\" => \"0\");"});

    Table etc;
    etc.setColCount(21);
    etc.setRowCount(1);
    for (int i = 0; i < 2; ++i) {
        Table::Row row(21, "0");
        row[1] = std::to_string(57 + i);
        row[5] = "2.5";
        etc.appendRow(row);
    }
    exportPhp(etc, PhpExport::EtcItem, 100, ',', out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(out[0].starts_with("    $rs[100] = array(\"nose01\" => \"2\", \"id\" => \"57\""));
    EXPECT_NE(out[0].find("\"drop_radius\" => \"3\""), std::string::npos);
    EXPECT_TRUE(out[1].starts_with("    $rs[101] = array("));
    etc.setCell(2, 6, "tall");
    EXPECT_THROW(exportPhp(etc, PhpExport::EtcItem, 100, ',', out), OperationError);
    EXPECT_EQ(out.size(), 1u); // the line before the error stays

    // Many rows are exported in parts of 4,096 rows, each in blocks on every core: the same
    // lines, and a failure in a late block of the second part keeps exactly the lines before it.
    Table many;
    many.setColCount(21);
    many.setRowCount(1);
    for (int i = 0; i < 5000; ++i) {
        Table::Row row(21, std::to_string(i % 7));
        row[1] = std::to_string(i);
        many.appendRow(row);
    }
    std::vector<std::string> alone, failedAlone;
    ::setenv("AETHRIAN_THREADS", "1", 1);
    exportPhp(many, PhpExport::EtcItem, 1, ',', alone);
    const std::string kept = many.cell(4500, 6);
    many.setCell(4500, 6, "tall");
    EXPECT_THROW(exportPhp(many, PhpExport::EtcItem, 1, ',', failedAlone), OperationError);
    ASSERT_EQ(failedAlone.size(), 4499u);
    many.setCell(4500, 6, kept);
    for (const char* threads : {"2", "3"}) {
        ::setenv("AETHRIAN_THREADS", threads, 1);
        exportPhp(many, PhpExport::EtcItem, 1, ',', out);
        EXPECT_TRUE(out == alone) << threads;
        many.setCell(4500, 6, "tall");
        EXPECT_THROW(exportPhp(many, PhpExport::EtcItem, 1, ',', out), OperationError);
        EXPECT_TRUE(out == failedAlone) << threads;
        many.setCell(4500, 6, kept);
    }
    ::unsetenv("AETHRIAN_THREADS");

    Table weapon;
    weapon.setColCount(37);
    weapon.setRowCount(1);
    weapon.appendRow(Table::Row(37, "1"));
    exportPhp(weapon, PhpExport::Weapon, 1, ',', out);
    EXPECT_NE(out[0].find("\"nose09\" => \"1065353216\",\"nose10\""), std::string::npos);
}

TEST(ClientDump, PhpExportEscapesWhatPhpWouldReadAsCode) {
    EXPECT_EQ(phpQuoted("1\"; system(\"id\"); $x=\""), R"("1\"; system(\"id\"); \$x=\"")");
    EXPECT_EQ(phpQuoted(R"(C:\dir\{$a})"), R"("C:\\dir\\{\$a}")");
    EXPECT_EQ(phpQuoted("plain.text_01"), "\"plain.text_01\"");
    // Each escaped character at every place of texts up to three words long, among characters
    // that differ from it by one bit.
    for (const char special : {'\\', '"', '$'}) {
        for (size_t n = 1; n <= 24; ++n) {
            for (size_t at = 0; at < n; ++at) {
                std::string text(n, static_cast<char>(special ^ 1));
                text[at] = special;
                std::string expected = "\"" + text.substr(0, at) + "\\" + text.substr(at) + "\"";
                ASSERT_EQ(phpQuoted(text), expected) << n << " " << at;
            }
        }
    }
    EXPECT_EQ(phpArray(R"({[a"b];[$c\]})"), R"(array("0" => "a\"b", "1" => "\$c\\"))");

    // Raw, bracketed and braced values alike; the ID column too.
    Table names;
    names.setColCount(6);
    names.setRowCount(1);
    names.appendRow({"", "5\"7", "[a$b]", "[\\]", "0", "[say \"hi\"]"});
    std::vector<std::string> out;
    exportPhp(names, PhpExport::ItemName, 1, ',', out);
    EXPECT_EQ(out, std::vector<std::string>{
                       R"(    $rs[1] = array("id" => "5\"7", "name" => "a\$b", )"
                       R"("additional_name" => "\\", "desc" => "say \"hi\"", "popup" => "0");)"});

    Table etc;
    etc.setColCount(21);
    etc.setRowCount(1);
    Table::Row row(21, "0");
    row[3] = "1\"; system(\"id\"); $x=\"";
    row[4] = "{lr$hand}";
    etc.appendRow(row);
    exportPhp(etc, PhpExport::EtcItem, 1, ',', out);
    EXPECT_NE(out[0].find(R"("drop_type" => "1\"; system(\"id\"); \$x=\"")"), std::string::npos)
        << out[0];
    EXPECT_NE(out[0].find(R"("drop_anim_type" => "{lr\$hand}")"), std::string::npos) << out[0];
}

TEST(ClientDump, PhpExportRefusesIdsPastTheLargest64BitNumber) {
    Table etc;
    etc.setColCount(21);
    etc.setRowCount(1);
    for (int i = 0; i < 3; ++i)
        etc.appendRow(Table::Row(21, "0"));
    constexpr long long largest = std::numeric_limits<long long>::max();
    std::vector<std::string> out{"old"};
    try {
        exportPhp(etc, PhpExport::EtcItem, largest - 1, ',', out);
        ADD_FAILURE() << "no error";
    } catch (const ExpectedProblem& e) {
        EXPECT_STREQ(
            e.what(),
            "The first ID 9223372036854775806 is too large: the IDs of the 3 rows would run "
            "past 9223372036854775807");
    }
    EXPECT_TRUE(out.empty());
    // The last row may take the largest ID itself; negative IDs count up as before.
    exportPhp(etc, PhpExport::EtcItem, largest - 2, ',', out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_TRUE(out[2].starts_with("    $rs[9223372036854775807] = "));
    exportPhp(etc, PhpExport::EtcItem, std::numeric_limits<long long>::min(), ',', out);
    EXPECT_TRUE(out[2].starts_with("    $rs[-9223372036854775806] = "));
    // No rows, no IDs: any first ID does.
    Table none;
    LoadClientDump(lines({"nothing here"}), kItemDumpMarks, none);
    EXPECT_NO_THROW(exportPhp(none, PhpExport::EtcItem, largest, ',', out));
}

TEST(Duals, GradeIsMatchedExactlyAndShotsAddAThirdOfTheSecond) {
    // Grades are the small-letter words; any other spelling counts as "none".
    struct Grade {
        const char *main, *second, *expected;
    };
    const Grade grades[] = {
        {"D", "none", "none"}, {"d", "none", "d"}, {"C", "c", "c"}, {"S", "none", "none"},
        {"none", "s", "s"},    {" d", "d", "d"},   {"d", "D", "d"}, {"A", "A", "none"},
    };
    for (const Grade& g : grades) {
        Table t = weapons({{"x", "1", "0", g.main}, {"y", "2", "0", g.second}});
        EXPECT_EQ(recomputeDual(t, 1, 2).grade, g.expected) << g.main << " + " << g.second;
    }
    // Soulshots and spiritshots: the main weapon's plus the second's divided by 3, rounded down.
    struct Shots {
        const char *main, *second, *expected;
    };
    const Shots shots[] = {{"2", "6", "4"}, {"2", "7", "4"}, {"2", "8", "4"}, {"2", "9", "5"},
                           {"0", "2", "0"}, {"5", "0", "5"}, {"1", "3", "2"}};
    for (const Shots& s : shots) {
        Table t = weapons({{"x", "1", s.main, "d"}, {"y", "2", s.second, "d"}});
        const DualValues v = recomputeDual(t, 1, 2);
        EXPECT_EQ(v.soulshots, s.expected) << s.main << " + " << s.second;
        EXPECT_EQ(v.spiritshots, s.expected) << s.main << " + " << s.second;
    }
    // The new row's column 9: the main weapon's plus two thirds (rounded down first) of the
    // second's.
    Table t = weapons({{"x", "1", "1", "d"}, {"y", "2", "1", "d"}});
    t.setCell(1, 9, "10");
    t.setCell(2, 9, "8");
    VectorLog log;
    applyEdit(t, addDual(t, 1, 2, "9", recomputeDual(t, 1, 2), log));
    EXPECT_EQ(t.cell(3, 9), "14");
    EXPECT_EQ(t.cell(3, 18), "2");
    EXPECT_EQ(t.cell(3, 23), "2");
}

TEST(ClientDump, LoadsTheFileAsThePageShowsIt) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("aeth-dump-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "itemname.txt").string();
    try {
        loadClientDumpFile(path, kItemNameDumpMarks);
        ADD_FAILURE() << "no error";
    } catch (const ExpectedProblem& e) {
        EXPECT_STREQ(e.what(), "File doesn't exists...");
    }
    EXPECT_THROW(loadClientDumpFile(dir.string(), kItemNameDumpMarks), ExpectedProblem); // a folder

    // UTF-16 with every line end a pane knows: the text keeps them, the table reads every line.
    const std::string text = "item_name_begin\tid=1\tname=[a\xC3\xA9]\titem_name_end\r\n"
                             "item_name_begin\tid=2\tname=[b]\titem_name_end\n"
                             "item_name_begin\tid=3\tname=[c]\titem_name_end\xE2\x80\xA8"
                             "item_name_begin\tid=4\tname=[d]\titem_name_end";
    std::ofstream(path, std::ios::binary) << encodeUtf16LE(text, true);
    const ClientDumpFile dump = loadClientDumpFile(path, kItemNameDumpMarks);
    EXPECT_EQ(dump.text, text);
    EXPECT_EQ(dumpTable(dump.table), "|id|name\n|1|[a\xC3\xA9]\n|2|[b]\n|3|[c]\n|4|[d]\n");
    std::filesystem::remove_all(dir);
}

TEST(ClientDump, ExportRunReturnsTheLinesBeforeItsError) {
    Table etc;
    etc.setColCount(21);
    etc.setRowCount(1);
    for (int i = 0; i < 3; ++i)
        etc.appendRow(Table::Row(21, "0"));
    etc.setCell(3, 5, "wide");
    const PhpExportRun run = exportPhpLines(etc, PhpExport::EtcItem, 7, ',');
    ASSERT_TRUE(run.error);
    EXPECT_THROW(std::rethrow_exception(run.error), OperationError);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_TRUE(run.lines[1].starts_with("    $rs[8] = array("));

    etc.setCell(3, 5, "1");
    const PhpExportRun whole = exportPhpLines(etc, PhpExport::EtcItem, 7, ',');
    EXPECT_FALSE(whole.error);
    EXPECT_EQ(whole.lines.size(), 3u);
    // A first ID past the range is refused outright, as before any line.
    EXPECT_THROW(
        exportPhpLines(etc, PhpExport::EtcItem, std::numeric_limits<long long>::max(), ','),
        ExpectedProblem);
}
