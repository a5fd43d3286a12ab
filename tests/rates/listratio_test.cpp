#include "app/errors.h"
#include "app/numbers.h"
#include "rates/listratio.h"
#include "records/droplist.h"

#include <gtest/gtest.h>

#include <random>

using namespace aethrian;

namespace {

using namespace droptext;

// The x-rate view as first written: a search of the second list from its top for every entry.
// Plainly right and quadratic; the indexed walk must give exactly its output and its errors.
std::string referenceRatio(std::string_view a, std::string_view b, char divider) {
    const long double x = readNumber(a, divider);
    const long double y = readNumber(b, divider);
    if (y == 0)
        throw OperationError("Floating point division by zero");
    return formatGeneral(x / y, 10, divider);
}

std::string referenceListRatio(std::string_view l1, std::string_view l2, char divider) {
    std::string r = "{";
    while (l1.find('[') != npos) {
        const std::string_view name1 = takeName(l1);
        r += "{[";
        r += name1;
        r += "];";
        const std::string_view saved = l2;
        std::string_view name2;
        do {
            name2 = takeName(l2);
        } while (name2 != name1 && l2.find('[') != npos);
        if (name2 == name1) {
            for (int k = 0; k < 2; ++k) { // minimum, then maximum
                r += referenceRatio(upTo(l1, ';'), upTo(l2, ';'), divider);
                r += "x;";
                cutAfter(l1, ';');
                cutAfter(l2, ';');
            }
            const size_t p1 = l1.find('}');
            const size_t p2 = l2.find('}');
            r += referenceRatio(upTo(l1, '}'), upTo(l2, '}'), divider);
            r += "x}";
            cutAfter(l1, '}');
            // The group test measures p1 in the text before the cut and k1 in the text after it,
            // so it looks a few characters past the entry's closing brace.
            const size_t k1 = l1.find("};");
            const size_t k2 = l2.find("};");
            const bool group1 =
                k1 != npos && p1 != npos && static_cast<long>(k1) - static_cast<long>(p1) < 7;
            const bool group2 =
                k2 != npos && p2 != npos && static_cast<long>(k2) - static_cast<long>(p2) < 7;
            if (group1) {
                cutAfter(l1, "};");
                const std::string_view g1 = upTo(l1, '}');
                cutAfter(l1, '}');
                if (group2) {
                    cutAfter(l2, "};");
                    const std::string_view g2 = upTo(l2, '}');
                    cutAfter(l2, '}');
                    r += "};";
                    r += referenceRatio(g1, g2, divider);
                    r += "x | ";
                }
            }
        } else {
            r += upTo(l1, '}');
            r += "x}";
            cutAfter(l1, '}');
        }
        l2 = saved;
    }
    r += "}";
    return r;
}

// The text or the error either gives.
std::string outcome(std::string (*f)(std::string_view, std::string_view, char), std::string_view a,
                    std::string_view b) {
    try {
        return "ok " + f(a, b, ',');
    } catch (const OperationError& e) {
        return std::string("error ") + e.what();
    }
}

std::string indexed(std::string_view a, std::string_view b, char d) {
    return listRatioText(a, b, d);
}

// A drop list of `entries` entries, flat or grouped, names and numbers from small sets so names
// repeat and numbers are sometimes zero or unreadable; then a few characters inserted or removed.
std::string randomList(std::mt19937& rng, size_t entries, int edits) {
    const char* names[] = {"a", "b", "c", "adena", ""};
    const char* numbers[] = {"1", "2", "0", "3,5", "x", "10", ""};
    const auto pick = [&](auto& from) { return std::string(from[rng() % std::size(from)]); };
    const auto entry = [&] {
        return "{[" + pick(names) + "];" + pick(numbers) + ";" + pick(numbers) + ";" +
               pick(numbers) + "}";
    };
    std::string s = "{";
    for (size_t i = 0; i < entries; ++i) {
        if (i > 0)
            s += ';';
        if (rng() % 3 == 0)
            s += "{{" + entry() + (rng() % 2 ? ";" + entry() : "") + "};" + pick(numbers) + "}";
        else
            s += entry();
    }
    s += "}";
    const std::string noise = "[]{};a1,0x";
    for (int e = 0; e < edits; ++e) {
        const size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
        if (rng() % 2 && at < s.size())
            s.erase(at, 1);
        else
            s.insert(at, 1, noise[rng() % noise.size()]);
    }
    return s;
}

} // namespace

TEST(ListRatio, IndexedWalkMatchesTheSearchFromTheTop) {
    std::mt19937 rng(15);
    for (int round = 0; round < 20000; ++round) {
        const int edits = round % 4 == 0 ? 0 : static_cast<int>(rng() % 6);
        const std::string a = randomList(rng, rng() % 6, edits);
        const std::string b = round % 7 == 0 ? std::string() : randomList(rng, rng() % 6, edits);
        ASSERT_EQ(outcome(indexed, a, b), outcome(referenceListRatio, a, b)) << a << "\n" << b;
    }
}

TEST(ListRatio, LongListsInOtherOrdersAndWithoutStructure) {
    // Every entry found, the second list in reverse order: the case the search from the top was
    // slowest on. Then lists made of one structural character each, where a plain find scans to
    // the end from every position.
    std::string a = "{", b;
    for (int i = 0; i < 800; ++i)
        a += (i ? ";" : "") + std::string("{[n") + std::to_string(i) + "];1;2;" +
             std::to_string(i % 90 + 1) + "}";
    a += "}";
    for (int i = 799; i >= 0; --i)
        b += (i < 799 ? ";" : "{") + std::string("{[n") + std::to_string(i) + "];2;2;10}";
    b += "}";
    EXPECT_EQ(outcome(indexed, a, b), outcome(referenceListRatio, a, b));
    EXPECT_EQ(outcome(indexed, a, b).substr(0, 24), "ok {{[n0];0,5x;1x;0,1x}{");
    for (const char* unit : {"[", "]", "[a]", "[a];", "[a]1;1;1}", "]x[", "};"}) {
        std::string many;
        for (int i = 0; i < 1000; ++i)
            many += unit;
        EXPECT_EQ(outcome(indexed, many, many), outcome(referenceListRatio, many, many)) << unit;
        EXPECT_EQ(outcome(indexed, a, many), outcome(referenceListRatio, a, many)) << unit;
        EXPECT_EQ(outcome(indexed, many, b), outcome(referenceListRatio, many, b)) << unit;
    }
}
