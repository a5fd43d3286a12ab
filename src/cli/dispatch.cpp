#include "cli/command.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "app/version.h"
#include "records/recordplace.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace aethrian::cli {

namespace {

// Words of `text` on lines of at most 79 columns, each starting with `indent` spaces.
void printWrapped(std::ostream& os, const std::string& text, size_t indent) {
    size_t column = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const size_t length = end - start;
        if (column > 0 && column + 1 + length > 79) {
            os << '\n';
            column = 0;
        }
        if (column == 0) {
            os << std::string(indent, ' ');
            column = indent;
        } else {
            os << ' ';
            ++column;
        }
        os.write(text.data() + start, static_cast<std::streamsize>(length));
        column += length;
        start = end + 1;
    }
    os << '\n';
}

// The layout help2man turns into the manual page: a description, commands as tagged
// paragraphs, options, exit status.
void printUsage(std::ostream& os) {
    os << "Usage: aethrian-cli [--divider C] COMMAND ...\n\n";
    printWrapped(os,
                 "Runs the Aethrian Script Editor's operations on a game server's text data files "
                 "(npcdata, itemdata, skilldata, PCH index files, npcpos, client text dumps) "
                 "without its window and prints the texts the editor shows. Files written with -o "
                 "are saved as the editor saves them (UTF-16LE with byte-order mark, CR LF), "
                 "atomically.",
                 0);
    os << "\nCommands:\n";
    for (const auto& c : commands()) {
        os << "  " << c.usage << '\n';
        printWrapped(os, c.help, 6);
    }
    os << "\nA column X is a grid position when all digits (0 the margin, 1 Name, 2 Type, 3 ID,\n"
          "4 the first field), otherwise the header key of the first column that carries it;\n"
          "a row R is the grid row (1 = the first record).\n"
          "\nOptions:\n"
          "  --divider C    the decimal separator numbers are read and written with: \",\"\n"
          "                 (the default) or \".\"\n"
          "  --help         this text; COMMAND --help describes one command\n"
          "  --version      the program's version\n"
          "\nExit status:\n"
          "  0  success\n"
          "  1  an expected problem (missing file, bad arguments): the message on stderr,\n"
          "     nothing written\n"
          "  2  an error that ended the operation (such as a text that is not a number):\n"
          "     what was printed so far stays, nothing written\n";
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
            if (args[i] == "--version") {
                out << "aethrian-cli " << kVersion << '\n';
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
            out << "Usage: aethrian-cli " << best->usage << "\n\n";
            printWrapped(out, best->help, 0);
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
    } catch (const OperationError& e) {
        out.flush();
        err << e.what() << '\n';
        // The message stays the first line, as the editor shows it; the cell follows for a reader.
        if (e.cell)
            err << cellPlaceLine(*e.cell) << '\n';
        return 2;
    } catch (const std::exception& e) {
        out.flush();
        err << e.what() << '\n';
        return 2;
    }
}

} // namespace aethrian::cli
