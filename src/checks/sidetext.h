#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// A check against a side text that holds nothing would report every record as missing (or, for
// a text under test, check nothing) and end as if it had found a result. So the checks refuse an
// empty text before they log anything. `name` is what the operator knows the text by: a pane of
// the editor ("The ITEM_PCH pane (Item_pch page)"), a file of the command line.

// True when every line is blank (spaces and TABs only), or there is none.
bool isBlankText(const std::vector<std::string_view>& lines);

// "<name> is empty, so the check was not run."
std::string emptySideMessage(std::string_view name);

// Throws ExpectedProblem(emptySideMessage(name)) for a blank text.
void requireSideText(const std::vector<std::string_view>& lines, std::string_view name);

// For a check that reads several texts as one (the merged grp check): "<a>, the <b> and the <c>
// are empty, so the check was not run." (a leading "The " of later names in lower case).
std::string emptySidesMessage(const std::vector<std::string_view>& names);

} // namespace aethrian
