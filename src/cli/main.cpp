// aethrian-cli: the editor's operations from the command line, printing the texts the editor
// shows. Expected problems exit 1, errors that end an operation exit 2.
#include "app/memorytuning.h"
#include "cli/command.h"
#include "cli/output.h"
#include "records/textfile.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    aethrian::preferHugePages(argv);
    // A file-size limit or a closed pipe fails the write with a message instead of killing the
    // program; an interrupted save removes its temporary file.
    aethrian::protectSavesFromSignals();
    aethrian::cli::FdOutput buffer(1);
    std::ostream out(&buffer);
    const int rc =
        aethrian::cli::run(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
    return aethrian::cli::finishOutput(rc, out, buffer, std::cerr);
}
