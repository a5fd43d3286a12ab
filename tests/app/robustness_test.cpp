// Arbitrary, random and truncated inputs through every reader: no crash, no hang, and the
// invariants of the fuzz checks hold. Inputs that once failed a fuzzer are replayed here.
#include "fuzzchecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace aethrian::fuzz;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void run(const Target& t, const std::string& input) {
    t.check(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::vector<std::string> exampleFiles() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(fs::path(AETHRIAN_SOURCE_DIR) / "examples"))
        if (e.is_regular_file())
            out.push_back(readAll(e.path()));
    return out;
}

} // namespace

TEST(Robustness, ReplaysFormerFuzzFindings) {
    const fs::path root = fs::path(AETHRIAN_SOURCE_DIR) / "tests" / "fuzz-regressions";
    for (const Target& t : targets()) {
        const fs::path dir = root / t.name;
        if (!fs::exists(dir))
            continue;
        for (const auto& e : fs::directory_iterator(dir))
            run(t, readAll(e.path()));
    }
}

TEST(Robustness, TruncatedExamples) {
    for (const std::string& file : exampleFiles())
        for (size_t cut = 0; cut <= file.size(); cut += std::max<size_t>(1, file.size() / 40))
            for (const Target& t : targets())
                run(t, file.substr(0, cut));
}

TEST(Robustness, RandomInputsWithTheFormatsCharacters) {
    std::mt19937 rng(20261209);
    const std::string alphabet =
        "{}[];=\t\r\n.,0123456789-eE adena npc_begin item_begin level= npc_end";
    const std::string marks[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    for (int i = 0; i < 400; ++i) {
        std::string input = marks[i % 4];
        const size_t length = rng() % 1500;
        for (size_t k = 0; k < length; ++k)
            input += rng() % 4 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
        for (const Target& t : targets())
            run(t, input);
    }
}
