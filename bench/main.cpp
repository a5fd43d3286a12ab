// aethrian-bench: times the operations on generated files at realistic scale, next to a floor
// measured in the same run (reading the file and decoding it to UTF-8, nothing else).
#include "datagen.h"
#include "harness.h"
#include "suites.h"

#include "app/memorytuning.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace aethrian::bench {

std::string writeGenerated(const std::string& dir, const std::string& name,
                           const std::string& utf8) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << encodeUtf16LE(utf8, true);
    return path;
}

double floorMs(const std::string& path) {
    return measure([&] {
               volatile auto n = decodeText(readFileBytes(path)).text.size();
               (void)n;
           })
        .ms;
}

namespace {

void recordFileSuite(const std::string& dir) {
    for (size_t records : {10000u, 20000u}) {
        std::string utf8 = generateNpcData(records, 10000, 42);
        const std::string path =
            writeGenerated(dir, "npcdata_" + std::to_string(records) + ".txt", utf8);
        const double mb = static_cast<double>(utf8.size()) / 1e6;
        std::string().swap(utf8); // so the children's peak memory is their own
        const double floor = floorMs(path);
        printRow("floor: read + decode npcdata", records, mb, Measurement{floor, 0}, floor);
        printRow("load npcdata", records, mb, measure([&] {
                     Table t;
                     LoadTableFile(path, kNpcKind, t);
                 }),
                 floor);
        const std::string out = dir + "/saved.txt";
        Table table;
        printRow("save npcdata", records, mb,
                 measure([&] { LoadTableFile(path, kNpcKind, table); },
                         [&] { SaveTable(table, kNpcKind, ',', out); }),
                 floor);
        std::printf("  (UTF-8 size %.1f MB; load peak must stay under 6x = %.1f MB)\n", mb, 6 * mb);
    }
}

} // namespace

} // namespace aethrian::bench

int main(int argc, char** argv) {
    using namespace aethrian::bench;
    aethrian::preferHugePages(argv);
    // aethrian-bench --generate-npcdata N PATH: a file for timing the editor by hand.
    if (argc == 4 && std::string(argv[1]) == "--generate-npcdata") {
        const std::string path = argv[3];
        const size_t slash = path.find_last_of('/');
        writeGenerated(slash == std::string::npos ? "." : path.substr(0, slash),
                       slash == std::string::npos ? path : path.substr(slash + 1),
                       generateNpcData(std::stoul(argv[2]), 10000, 42));
        return 0;
    }
    // aethrian-bench --generate-npcdata-pair N FIRST SECOND: two files for timing the editor's
    // comparison by hand, the second shuffled with its rates doubled and every 50th record left
    // out.
    if (argc == 5 && std::string(argv[1]) == "--generate-npcdata-pair") {
        const std::string first = generateNpcData(std::stoul(argv[2]), 10000, 42);
        std::ofstream(argv[3], std::ios::binary) << aethrian::encodeUtf16LE(first, true);
        std::ofstream(argv[4], std::ios::binary) << aethrian::encodeUtf16LE(secondOf(first), true);
        return 0;
    }
    const std::string dir = scratchDir();
    printHeader();
    const std::string mode = argc >= 2 ? std::string(argv[1]) : std::string();
    if (mode ==
        "--cli-only") { // aethrian-bench --cli-only [TEXT]: the commands whose label has TEXT
        runCliSuite(dir, argc >= 3 ? argv[2] : "");
    } else if (mode == "--lint") { // the whole-server check alone
        runLintSuite(dir);
#ifdef AETHRIAN_BENCH_UI
    } else if (mode == "--filter") { // the editor's row filter alone
        runFilterSuite(dir);
#endif
    } else {
        recordFileSuite(dir);
        runExtraSuites(dir);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
