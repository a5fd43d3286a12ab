#pragma once

#include "app/numbers.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace aethrian {

// A decimal number held exactly, for formulas over the texts of dialog boxes and cells: in
// long double, 1 + 0.001 x 50 x 50 lands just below 3.5 and rounds to 3; held exactly it is 3.5
// and rounds to 4, as the user who typed the numbers expects.
class ExactDecimal {
  public:
    ExactDecimal() = default; // zero

    // The exact value of a text that readNumber accepts; a text it refuses throws its error. A
    // text that readNumber reads as zero (an exponent below its range) is zero here too.
    static ExactDecimal read(std::string_view text, char divider);

    friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);

    DecimalDigits digits() const;

  private:
    using Limbs = std::vector<std::uint32_t>; // base 10^9, least significant first, none for zero

    static Limbs scaled(const Limbs& m, long long tens);

    bool negative_ = false;
    Limbs mantissa_;
    long long exponent_ = 0; // the value is mantissa_ x 10^exponent_
};

} // namespace aethrian
