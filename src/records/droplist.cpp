#include "records/droplist.h"

namespace aethrian {

using namespace droptext;

std::vector<DropEntry> scanDropEntries(std::string_view rest) {
    std::vector<DropEntry> out;
    while (rest.find('[') != npos) {
        DropEntry e;
        e.name = takeName(rest);
        e.min = upTo(rest, ';');
        cutAfter(rest, ';');
        e.max = upTo(rest, ';');
        cutAfter(rest, ';');
        e.chance = upTo(rest, '}');
        out.push_back(e);
        const size_t brace = rest.find('{');
        if (brace == npos)
            break;
        rest.remove_prefix(brace);
    }
    return out;
}

} // namespace aethrian
