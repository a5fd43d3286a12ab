#pragma once

#include <functional>
#include <string>
#include <vector>

namespace aethrian {

// Where operations write their log lines (a page's log list, the CLI's stdout, a test vector).
class Log {
public:
    virtual ~Log() = default;
    virtual void add(const std::string& line) = 0;
};

class VectorLog : public Log {
public:
    void add(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class CallbackLog : public Log {
public:
    explicit CallbackLog(std::function<void(const std::string&)> fn) : fn_(std::move(fn)) {}
    void add(const std::string& line) override { fn_(line); }

private:
    std::function<void(const std::string&)> fn_;
};

} // namespace aethrian
