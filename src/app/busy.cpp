#include "app/busy.h"

namespace aethrian {

std::string NextDots(std::string_view dots) {
    if (dots.empty())
        return ".";
    if (dots == ".")
        return "..";
    if (dots == "..")
        return "...";
    return "";
}

std::string BusyCaption::advance() {
    dots_ = NextDots(dots_);
    return dots_ + kWorking + dots_;
}

} // namespace aethrian
