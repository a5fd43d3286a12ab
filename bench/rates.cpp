// Comparison of two files at full size: the second shuffled, its rates doubled, some records
// missing, so every pairing, difference and x-rate path is taken.
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "rates/compare.h"
#include "records/textfile.h"

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace aethrian::bench {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void doubleValue(std::string& line, const std::string& key) {
    const size_t at = line.find(key);
    if (at == std::string::npos)
        return;
    const size_t start = at + key.size();
    const size_t end = line.find('\t', start);
    const double v = std::stod(line.substr(start, end - start));
    std::ostringstream s;
    s << v * 2;
    line.replace(start, end - start, s.str());
}

void comparePair(const std::string& dir, const char* label, const CompareMember& member,
                 size_t records, const std::string& firstText, bool xRate) {
    const std::string a = writeGenerated(dir, std::string(label) + "_a.txt", firstText);
    const std::string b = writeGenerated(dir, std::string(label) + "_b.txt", secondOf(firstText));
    const double mb = static_cast<double>(firstText.size()) * 2 / 1e6;
    const double floor = floorMs(a) + floorMs(b);
    CompareOptions options;
    options.xRate = xRate;
    printRow(std::string("compare ") + label + (xRate ? " x-rate" : ""), records, mb, measure([&] {
                 const TextLines first = ReadRecordLines(a);
                 const TextLines second = ReadRecordLines(b);
                 CompareResult result;
                 compareRecords(member, first, &second, options, result);
             }),
             floor);
}

} // namespace

// The second file of a pair: records shuffled, rates doubled, every 50th record left out.
std::string secondOf(const std::string& first) {
    std::vector<std::string> lines = splitLines(first);
    std::vector<std::string> kept;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i % 50 == 49)
            continue;
        doubleValue(lines[i], "acquire_exp_rate=");
        doubleValue(lines[i], "acquire_sp=");
        kept.push_back(std::move(lines[i]));
    }
    std::shuffle(kept.begin(), kept.end(), std::mt19937(7));
    std::string out;
    for (const std::string& l : kept)
        out += l + "\n";
    return out;
}

std::string skillData(size_t records) {
    std::string out;
    for (size_t i = 0; i < records; ++i)
        out += "skill_begin\tskill_name=[s_skill_" + std::to_string(i) +
               "]\tskill_id=" + std::to_string(i / 3) + "\tlevel=" + std::to_string(i % 3 + 1) +
               "\toperate_type=A1\tmp_consume=" + std::to_string(i % 97) +
               "\tcast_range=400\teffect={{i_p_attack;{all};" + std::to_string(i % 50) +
               ";per}}\tskill_end\n";
    return out;
}

void runRatesSuite(const std::string& dir) {
    for (size_t records : {10000u, 20000u}) {
        comparePair(dir, "npcdata", kNpcCompare, records, generateNpcData(records, 10000, 42),
                    true);
        comparePair(dir, "itemdata", kItemCompare, records, generateItemData(records, 42), false);
        comparePair(dir, "skilldata", kSkillCompare, records, skillData(records), false);
    }
}

} // namespace aethrian::bench
