#pragma once

#include <stdexcept>
#include <string>

namespace aethrian {

// An expected problem: the operation stops before changing anything and the front end shows
// the text as it is (a message box in the editor, stderr and exit 1 in the CLI).
class ExpectedProblem : public std::runtime_error {
  public:
    explicit ExpectedProblem(const std::string& text) : std::runtime_error(text) {}
};

// An error that ends a running operation part-way, such as a text that is not a number or a
// file that cannot be opened (the editor shows it, the CLI exits 2).
class OperationError : public std::runtime_error {
  public:
    explicit OperationError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace aethrian
