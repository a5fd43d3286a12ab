// aethrian-cli: the editor's operations from the command line, printing the texts the editor
// shows. Expected problems exit 1, errors that end an operation exit 2.
#include "app/memorytuning.h"
#include "cli/command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    aethrian::preferHugePages(argv);
    return aethrian::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
