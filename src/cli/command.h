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
};

// Every command of the CLI, in the order --help lists them.
const std::vector<Command>& commands();

} // namespace aethrian::cli
