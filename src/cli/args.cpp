#include "cli/args.h"

#include "app/errors.h"

#include <algorithm>

namespace aethrian::cli {

namespace {

bool allDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

Args::Args(const std::vector<std::string>& argv, const std::vector<OptionSpec>& spec) {
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            auto it = std::find_if(spec.begin(), spec.end(),
                                   [&](const OptionSpec& o) { return o.name == a; });
            if (it == spec.end())
                throw ExpectedProblem("Unknown option: " + a);
            if (i + static_cast<size_t>(it->arity) >= argv.size() && it->arity > 0)
                throw ExpectedProblem("Missing value for " + a);
            auto& vals = values_[a];
            if (!it->repeat)
                vals.clear();
            for (int k = 0; k < it->arity; ++k)
                vals.push_back(argv[++i]);
        } else if (a == "-o") {
            if (i + 1 >= argv.size())
                throw ExpectedProblem("Missing value for -o");
            values_["-o"] = {argv[++i]};
        } else {
            positional_.push_back(a);
        }
    }
}

const std::vector<std::string>& Args::values(const std::string& name) const {
    static const std::vector<std::string> none;
    auto it = values_.find(name);
    return it == values_.end() ? none : it->second;
}

std::string Args::value(const std::string& name, const std::string& fallback) const {
    const auto& v = values(name);
    return v.empty() ? fallback : v.front();
}

std::string Args::required(const std::string& name) const {
    if (!has(name))
        throw ExpectedProblem("Missing " + name);
    return value(name);
}

void Args::expectPositional(size_t min, size_t max, const std::string& usage) const {
    if (positional_.size() < min || positional_.size() > max)
        throw ExpectedProblem("Usage: aethrian-cli " + usage);
}

size_t resolveColumn(const Table& table, const std::string& spec) {
    if (allDigits(spec)) {
        const size_t col = spec.size() > 9 ? Table::npos : std::stoul(spec);
        if (col < table.colCount())
            return col;
    } else {
        const size_t col = table.findColumn(spec);
        if (col != Table::npos)
            return col;
    }
    throw ExpectedProblem("No such column: " + spec);
}

size_t resolveRow(const Table& table, const std::string& spec) {
    if (allDigits(spec) && spec.size() <= 9) {
        const size_t row = std::stoul(spec);
        if (row >= 1 && row < table.rowCount())
            return row;
    }
    throw ExpectedProblem("No such row: " + spec);
}

} // namespace aethrian::cli
