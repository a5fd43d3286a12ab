#pragma once

#include <iosfwd>
#include <streambuf>

namespace aethrian::cli {

// Standard output written with write(2), keeping the reason of the first write that failed (a full
// disk, a closed pipe): the program reports it instead of ending as if everything was printed.
// Output after a failure is dropped and the command goes on, so its -o file is still written.
class FdOutput : public std::streambuf {
  public:
    explicit FdOutput(int fd);
    ~FdOutput() override;
    FdOutput(const FdOutput&) = delete;
    FdOutput& operator=(const FdOutput&) = delete;

    int error() const { return error_; } // errno of the first failed write, 0 when none failed

  protected:
    int_type overflow(int_type ch) override;
    int sync() override;

  private:
    bool drain();

    int fd_;
    int error_ = 0;
    char buffer_[1 << 14];
};

// The exit code once a command line has run with `out` writing through `buffer`: flushes it and,
// when standard output failed, says so on `err` and returns 2; otherwise `rc`.
int finishOutput(int rc, std::ostream& out, const FdOutput& buffer, std::ostream& err);

} // namespace aethrian::cli
