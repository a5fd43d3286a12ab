#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace aethrian {

// Where operations write their log lines (a page's log list, the CLI's stdout, a test vector).
class Log {
  public:
    virtual ~Log() = default;
    virtual void add(const std::string& line) = 0;
    // A finding about one subject of the check: a grid row of the table it reports on, or a
    // 0-based line of the pane it reports on (each check says which). Logs that show lines keep
    // the text as it is; the whole-server check overrides this to locate its findings.
    virtual void addAbout(size_t /*at*/, const std::string& line) { add(line); }
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
