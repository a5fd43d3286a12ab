#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace aethrian::cli {

struct Context {
    char divider;
    std::ostream& out;
    std::ostream& err;
};

using CommandFn = int (*)(Context& ctx, const std::vector<std::string>& args);

struct Command {
    const char* name;
    CommandFn run;
    const char* usage; // one line, shown by --help
    // What the arguments mean, in a sentence or two: shown by COMMAND --help and under the usage
    // line in --help, which the manual page is generated from.
    const char* help = "";
};

// Runs one command line (the words after the program name), printing to `out` and `err`.
// Returns the exit code: 0, 1 for an expected problem, 2 for an error that ended the operation.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Every command of the CLI, in the order --help lists them.
const std::vector<Command>& commands();

} // namespace aethrian::cli
