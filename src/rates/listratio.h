#pragma once

#include <string>
#include <string_view>

namespace aethrian {

// The x-rate view of a drop list: each entry of `first` with its minimum, maximum and chance as
// ratios over the entry of the same item in `second` ("1x;2x;0,5x}"), entries missing from
// `second` kept as they are with "x}" after them. Throws OperationError when a number does not read
// or a division by zero occurs; the comparison then shows the plain values.
std::string listRatioText(std::string_view first, std::string_view second, char divider);

} // namespace aethrian
