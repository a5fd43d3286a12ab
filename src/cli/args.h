#pragma once

#include "records/table.h"

#include <map>
#include <string>
#include <vector>

namespace aethrian::cli {

struct OptionSpec {
    std::string name;    // "--add"
    int arity = 0;       // values taken after the name
    bool repeat = false; // each use adds its values (else the last use wins)
};

// A command's arguments: positional words and the options it declares. Values are taken as
// given, so "--add -1" is the option --add with the value -1. Unknown options and missing
// values are expected problems.
class Args {
  public:
    Args(const std::vector<std::string>& argv, const std::vector<OptionSpec>& spec);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const { return values_.count(name) != 0; }
    const std::vector<std::string>& values(const std::string& name) const;
    std::string value(const std::string& name, const std::string& fallback = "") const;
    // The option's value; an absent option is the expected problem "missing <name>".
    std::string required(const std::string& name) const;
    // Exactly `count` positional words, else the usage problem.
    void expectPositional(size_t min, size_t max, const std::string& usage) const;

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
};

// A column given as a grid position (all digits) or as the header key of the first column that
// carries it. A column that is not in the table is an expected problem.
size_t resolveColumn(const Table& table, const std::string& spec);
// A grid row, 1 being the first record. Outside the table: an expected problem.
size_t resolveRow(const Table& table, const std::string& spec);

} // namespace aethrian::cli
