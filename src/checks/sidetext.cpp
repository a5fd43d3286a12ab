#include "checks/sidetext.h"

#include "app/errors.h"

namespace aethrian {

bool isBlankText(const std::vector<std::string_view>& lines) {
    for (std::string_view line : lines)
        if (line.find_first_not_of(" \t") != std::string_view::npos)
            return false;
    return true;
}

std::string emptySideMessage(std::string_view name) {
    return std::string(name) + " is empty, so the check was not run.";
}

std::string emptySidesMessage(const std::vector<std::string_view>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string_view name = names[i];
        if (i > 0) {
            text += i + 1 == names.size() ? " and " : ", ";
            if (name.starts_with("The ")) {
                text += "the ";
                name.remove_prefix(4);
            }
        }
        text += name;
    }
    return text + " are empty, so the check was not run.";
}

void requireSideText(const std::vector<std::string_view>& lines, std::string_view name) {
    if (isBlankText(lines))
        throw ExpectedProblem(emptySideMessage(name));
}

} // namespace aethrian
