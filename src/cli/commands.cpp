#include "cli/command.h"

namespace aethrian::cli {

int runConvert(Context& ctx, const std::vector<std::string>& args);
int runRates(Context& ctx, const std::vector<std::string>& args);
int runCompare(Context& ctx, const std::vector<std::string>& args);

const std::vector<Command>& commands() {
    static const std::vector<Command> all{
        {"convert", runConvert, "convert npc|item|pet FILE -o OUT"},
        {"rates", runRates, "rates NPCDATA"},
        {"compare", runCompare,
         "compare npc|item|skill FIRST [SECOND] [--only-differences] [--show-missing] [--x-rate]"},
    };
    return all;
}

} // namespace aethrian::cli
