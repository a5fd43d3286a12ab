#include "rates/listratio.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/droplist.h"

namespace aethrian {

namespace {

using namespace droptext;

std::string ratio(std::string_view a, std::string_view b, char divider) {
    const long double x = readNumber(a, divider);
    const long double y = readNumber(b, divider);
    if (y == 0)
        throw OperationError("Floating point division by zero");
    return formatGeneral(x / y, 10, divider);
}

} // namespace

std::string listRatioText(std::string_view l1, std::string_view l2, char divider) {
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
                r += ratio(upTo(l1, ';'), upTo(l2, ';'), divider);
                r += "x;";
                cutAfter(l1, ';');
                cutAfter(l2, ';');
            }
            const size_t p1 = l1.find('}');
            const size_t p2 = l2.find('}');
            r += ratio(upTo(l1, '}'), upTo(l2, '}'), divider);
            r += "x}";
            cutAfter(l1, '}');
            // The group test measures p1 in the text before the cut and k1 in the text after it,
            // so it looks a few characters past the entry's closing brace.
            const size_t k1 = l1.find("};");
            const size_t k2 = l2.find("};");
            const bool group1 = k1 != npos && p1 != npos && static_cast<long>(k1) - static_cast<long>(p1) < 7;
            const bool group2 = k2 != npos && p2 != npos && static_cast<long>(k2) - static_cast<long>(p2) < 7;
            if (group1) {
                cutAfter(l1, "};");
                const std::string_view g1 = upTo(l1, '}');
                cutAfter(l1, '}');
                if (group2) {
                    cutAfter(l2, "};");
                    const std::string_view g2 = upTo(l2, '}');
                    cutAfter(l2, '}');
                    r += "};";
                    r += ratio(g1, g2, divider);
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

} // namespace aethrian
