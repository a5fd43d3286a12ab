#pragma once

#include <string>

namespace aethrian {

// How a long operation reaches its front end: busy caption refreshes, the short message pump
// and the halt flag. The defaults do nothing, which is what the CLI and the tests want.
class Progress {
  public:
    virtual ~Progress() = default;
    // A new busy caption for the operation's button (already advanced with NextDots).
    virtual void caption(const std::string& /*text*/) {}
    // A point where the editor runs its short message pump.
    virtual void pump() {}
    // The operation's halt flag, polled where the operation may stop.
    virtual bool halted() { return false; }
};

} // namespace aethrian
