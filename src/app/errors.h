#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace aethrian {

// An expected problem: the operation stops before changing anything and the front end shows
// the text as it is (a message box in the editor, stderr and exit 1 in the CLI).
class ExpectedProblem : public std::runtime_error {
  public:
    explicit ExpectedProblem(const std::string& text) : std::runtime_error(text) {}
};

// The table cell an operation was reading when it failed. `table` identifies the table by its
// address only (front ends holding several tables find the one to show); the rest names the cell
// for a reader.
struct CellPlace {
    const void* table = nullptr;
    size_t row = 0;              // grid row (1 = the first record)
    size_t column = 0;           // grid column
    std::string record, id, key; // the row's Name and ID, the column's header
};

// An error that ends a running operation part-way, such as a text that is not a number or a
// file that cannot be opened (the editor shows it, the CLI exits 2). A conversion error on a table
// cell carries the cell's place beside its unchanged text.
class OperationError : public std::runtime_error {
  public:
    explicit OperationError(const std::string& text) : std::runtime_error(text) {}
    std::optional<CellPlace> cell;
};

} // namespace aethrian
