#include "cli/command.h"

#include "app/errors.h"
#include "app/numbers.h"

#include <algorithm>
#include <ostream>

namespace aethrian::cli {

namespace {

void printUsage(std::ostream& os) {
    os << "Usage: aethrian-cli [--divider C] COMMAND ...\n\nCommands:\n";
    for (const auto& c : commands())
        os << "  " << c.usage << '\n';
}

std::vector<std::string> splitWords(const std::string& s) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t sp = s.find(' ', start);
        words.push_back(s.substr(start, sp == std::string::npos ? std::string::npos : sp - start));
        if (sp == std::string::npos)
            break;
        start = sp + 1;
    }
    return words;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    char divider = kDefaultDivider;
    try {
        size_t i = 0;
        while (i < args.size() && args[i].rfind("--", 0) == 0) {
            if (args[i] == "--help") {
                printUsage(out);
                return 0;
            }
            if (args[i] == "--divider" && i + 1 < args.size()) {
                if (args[i + 1].size() != 1 || !isValidDivider(args[i + 1][0]))
                    throw ExpectedProblem("The float divider must be \",\" or \".\"");
                divider = args[i + 1][0];
                i += 2;
                continue;
            }
            throw ExpectedProblem("Unknown option: " + args[i]);
        }
        if (i >= args.size())
            throw ExpectedProblem("Usage: aethrian-cli [--divider C] COMMAND ... (see --help)");
        // Command names may have several words ("check duplicates"): the longest match wins.
        const Command* best = nullptr;
        size_t bestWords = 0;
        for (const auto& c : commands()) {
            const std::vector<std::string> words = splitWords(c.name);
            if (words.size() <= bestWords || i + words.size() > args.size())
                continue;
            if (std::equal(words.begin(), words.end(), args.begin() + static_cast<long>(i))) {
                best = &c;
                bestWords = words.size();
            }
        }
        if (!best)
            throw ExpectedProblem("Unknown command: " + args[i]);
        std::vector<std::string> rest(args.begin() + static_cast<long>(i + bestWords), args.end());
        if (!rest.empty() && rest[0] == "--help") {
            out << "Usage: aethrian-cli " << best->usage << '\n';
            return 0;
        }
        Context ctx{divider, out, err};
        const int rc = best->run(ctx, rest);
        out.flush();
        return rc;
    } catch (const ExpectedProblem& e) {
        out.flush();
        err << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        out.flush();
        err << e.what() << '\n';
        return 2;
    }
}

} // namespace aethrian::cli
