#include "cli/command.h"

namespace aethrian::cli {

int runConvert(Context& ctx, const std::vector<std::string>& args);

const std::vector<Command>& commands() {
    static const std::vector<Command> all{
        {"convert", runConvert, "convert npc|item|pet FILE -o OUT"},
    };
    return all;
}

} // namespace aethrian::cli
