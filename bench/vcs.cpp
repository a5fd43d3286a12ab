// Record files in git at full size: textconv, the record-level diff and the three-way merge of
// 20,000-record npcdata files, each next to reading and decoding its inputs (the merge's floor
// also writes its output once).
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "records/textfile.h"
#include "vcs/merge.h"
#include "vcs/recorddiff.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace aethrian::bench {

namespace {

// Every `every`-th record's value of `key` gets "1" appended, so the two sides of a merge touch
// different fields of many records (and some records on both sides).
std::string edited(const std::string& text, const std::string& key, size_t every) {
    std::string out;
    out.reserve(text.size() + text.size() / 100);
    size_t start = 0, record = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string_view line = std::string_view(text).substr(start, end - start);
        const size_t at = line.find(key);
        if (line.find("npc_begin") != std::string_view::npos && record++ % every == 0 &&
            at != std::string_view::npos) {
            const size_t tab = line.find('\t', at);
            out.append(line.substr(0, tab)).append("1").append(line.substr(tab));
        } else {
            out.append(line);
        }
        start = end;
    }
    return out;
}

} // namespace

void runVcsSuite(const std::string& dir) {
    const size_t records = 20000;
    const std::string text = generateNpcData(records, 10000, 42);
    const double mb = static_cast<double>(text.size()) / 1e6;
    const std::string base = writeGenerated(dir, "npcdata_base.txt", text);
    const std::string ours =
        writeGenerated(dir, "npcdata_ours.txt", edited(text, "acquire_exp_rate=", 10));
    const std::string theirs =
        writeGenerated(dir, "npcdata_theirs.txt", edited(text, "acquire_sp=", 15));
    const std::string out = dir + "/npcdata_merged.txt";
    const double floorOne = floorMs(base);
    const double floorTwo = floorOne + floorMs(ours);
    const double write = measure([&] { writeFileAtomic(out, readFileBytes(base)); }).ms -
                         measure([&] {
                             volatile auto n = readFileBytes(base).size();
                             (void)n;
                         }).ms;
    const double floorThree = floorTwo + floorMs(theirs) + write;

    printRow("floor: read + decode npcdata", records, mb, Measurement{floorOne, 0}, floorOne);
    printRow("textconv npcdata (to a counting sink)", records, mb, measure([&] {
                 size_t bytes = 0;
                 writeTextconv(readRecordFile(base),
                               [&](std::string_view chunk) { bytes += chunk.size(); });
                 volatile size_t keep = bytes;
                 (void)keep;
             }),
             floorOne);
    printRow("floor: read + decode two npcdata", records, 2 * mb, Measurement{floorTwo, 0},
             floorTwo);
    printRow("diff npcdata (2,000 records changed)", records, 2 * mb, measure([&] {
                 volatile bool differ =
                     diffRecordFiles(readRecordFile(base), readRecordFile(ours)).differ;
                 (void)differ;
             }),
             floorTwo);
    printRow("floor: read + decode three, write one", records, 3 * mb, Measurement{floorThree, 0},
             floorThree);
    printRow("merge npcdata (3,333 records changed)", records, 3 * mb,
             measure([&] { mergeFiles(base, ours, theirs, out, ','); }), floorThree);
}

} // namespace aethrian::bench
