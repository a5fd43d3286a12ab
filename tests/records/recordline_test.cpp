#include "records/recordline.h"
#include "records/table.h"
#include "records/textscan.h"

#include <gtest/gtest.h>

#include <random>

using namespace aethrian;

namespace {

std::string fieldsOf(const ParsedRecord& r) {
    std::string out;
    for (const auto& [k, v] : r.fields)
        out += k + "=" + v + ";";
    return out;
}

} // namespace

TEST(ParseRecordLine, WellFormedNpcLine) {
    const auto r = ParseRecordLine("npc_begin\twarrior\t20001\t[orc_grunt]\tlevel=5\tacquire_exp_"
                                   "rate=4.2\tacquire_sp=7\tnpc_end",
                                   kNpcKind);
    EXPECT_EQ(r.name, "orc_grunt");
    EXPECT_EQ(r.type, "warrior");
    EXPECT_EQ(r.id, "20001");
    EXPECT_EQ(fieldsOf(r), "level=5;acquire_exp_rate=4.2;acquire_sp=7;");
}

TEST(ParseRecordLine, NamesFromFirstBrackets) {
    EXPECT_EQ(ParseRecordLine("npc_begin\ta\t1\t[x]\tlevel=[y]\tnpc_end", kNpcKind).name, "x");
    EXPECT_EQ(ParseRecordLine("npc_begin\ta\t1\tx]\tlevel=1\tnpc_end", kNpcKind).name,
              "npc_begin\ta\t1\tx");
    EXPECT_EQ(ParseRecordLine("npc_begin\ta\t1\tx\tlevel=1\tnpc_end", kNpcKind).name, "");
    EXPECT_EQ(ParseRecordLine("npc_begin\ta\t1\t]x[\tlevel=1\tnpc_end", kNpcKind).name, "");
}

TEST(ParseRecordLine, MissingTabsGiveEmptyTypeAndId) {
    const auto one = ParseRecordLine("npc_begin\tlevel=1", kNpcKind);
    EXPECT_EQ(one.type, "");
    EXPECT_EQ(one.id, "");
    const auto none = ParseRecordLine("npc_begin", kNpcKind);
    EXPECT_EQ(none.type, "");
    EXPECT_EQ(none.id, "");
    EXPECT_EQ(none.fields.size(), 1u);
}

TEST(ParseRecordLine, FieldTexts) {
    EXPECT_EQ(
        fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[n]\tlevel=1\ta=1=2\tb=\tnpc_end", kNpcKind)),
        "level=1;a=1=2;b=;");
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[n]\tlevel=1\tsp = 5\tnpc_end", kNpcKind)),
              "level=1;sp = 5;");
    // The end marker is a prefix test.
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[n]\tlevel=1\tnpc_endXX\tz=1", kNpcKind)),
              "level=1;");
}

// Without end marker the last field keeps the text up to the line's end, so load-then-save
// writes it back instead of an empty value.
TEST(ParseRecordLine, MissingEndMarkerStopsAtLineEnd) {
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[n]\tlevel=1\tb=2npc_end", kNpcKind)),
              "level=1;b=2npc_end;");
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[a]\tlevel=1", kNpcKind)), "level=1;");
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[a]\tlevel=1\tsp=", kNpcKind)),
              "level=1;sp=;");
    EXPECT_EQ(fieldsOf(ParseRecordLine("npc_begin\tt\t1\t[n]\tlevel=1\tb=2\t", kNpcKind)),
              "level=1;b=2;");
    // Without the first-field key the region is the whole line.
    EXPECT_EQ(ParseRecordLine("item_begin\tweapon\t1\t[n]\tnpc_end", kItemKind).fields.size(), 5u);
}

// A field ends at its TAB: a key never reaches into the next field, which would turn one field
// into two when the table is saved.
TEST(TakeField, FieldWithoutEqualsIsAllKey) {
    std::string_view region = "ab\tc=d\trest";
    const FieldView f = TakeField(region);
    EXPECT_EQ(f.key, "ab");
    EXPECT_EQ(f.value, "");
    EXPECT_EQ(region, "c=d\trest");
    std::string_view noTab = "k=v";
    EXPECT_EQ(TakeField(noTab).value, "v");
    EXPECT_EQ(noTab, "k=v");
}

TEST(WriteRecordLine, LayoutAndDotAdd) {
    Table t;
    t.setColCount(6);
    t.setCell(0, 4, "level");
    t.setCell(0, 5, "rate");
    t.setCell(1, 1, "a,b");
    t.setCell(1, 2, "warrior");
    t.setCell(1, 3, "7");
    t.setCell(1, 4, "");
    t.setCell(1, 5, "12,5");
    EXPECT_EQ(WriteRecordLine(t, 1, kNpcKind, ','),
              "npc_begin\twarrior\t7\t[a.b]\tlevel=\trate=12.5\tnpc_end");
    Table initial;
    EXPECT_EQ(WriteRecordLine(initial, 1, kItemKind, ','), "item_begin\t\t\t[]\titem_end");
}

TEST(ParseRecordLine, RandomLinesNeverHangOrOverrun) {
    std::mt19937 rng(11);
    const char alphabet[] = "ab=\t[]npc_endlevel=";
    for (int round = 0; round < 5000; ++round) {
        std::string line = "npc_begin";
        const size_t len = rng() % 80;
        for (size_t i = 0; i < len; ++i)
            line += alphabet[rng() % (sizeof alphabet - 1)];
        const auto r = ParseRecordLine(line, kNpcKind);
        EXPECT_GE(r.fields.size(), 1u);
        EXPECT_LE(r.fields.size(), line.size() + 1);
    }
}

// The key search that steps by the key's last character finds what find finds, on random lines
// over a small alphabet where keys, their prefixes and their last characters crowd together.
TEST(FindKey, AgreesWithFindOnRandomLines) {
    std::mt19937 rng(20261211);
    const std::string alphabet = "lev=l\tel=";
    for (int i = 0; i < 20000; ++i) {
        std::string line(rng() % 40, ' ');
        for (char& c : line)
            c = alphabet[rng() % alphabet.size()];
        std::string key(1 + rng() % 6, ' ');
        for (char& c : key)
            c = alphabet[rng() % alphabet.size()];
        ASSERT_EQ(findKey(line, key), std::string_view(line).find(key)) << line << " / " << key;
    }
    EXPECT_EQ(findKey("abc", ""), 0u);
    EXPECT_EQ(findKey("", "level="), npos);
}
