#pragma once

#include <string>
#include <string_view>

namespace aethrian {

// "" -> "." -> ".." -> "..." -> "" : the dots of a busy caption.
std::string NextDots(std::string_view dots);

// The caption of a button while its long operation runs. Each run starts with empty dots, so
// the first advance shows ".Working.".
class BusyCaption {
  public:
    static constexpr const char* kWorking = "Working";
    std::string advance();
    const std::string& dots() const { return dots_; }

  private:
    std::string dots_;
};

// Counts processed items and says when a refresh is due (every `interval` items).
class RefreshCounter {
  public:
    explicit RefreshCounter(int interval) : interval_(interval) {}
    bool tick() {
        if (++count_ < interval_)
            return false;
        count_ = 0;
        return true;
    }

  private:
    int interval_;
    int count_ = 0;
};

} // namespace aethrian
