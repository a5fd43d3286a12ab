#include "app/exactdecimal.h"

#include <algorithm>
#include <string>

namespace aethrian {

namespace {

constexpr std::uint32_t kBase = 1000000000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void trimHigh(std::vector<std::uint32_t>& m) {
    while (!m.empty() && m.back() == 0)
        m.pop_back();
}

int compareMagnitude(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

std::vector<std::uint32_t> addMagnitude(const std::vector<std::uint32_t>& a,
                                        const std::vector<std::uint32_t>& b) {
    std::vector<std::uint32_t> out(std::max(a.size(), b.size()) + 1, 0);
    std::uint32_t carry = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        std::uint64_t sum = carry;
        if (i < a.size())
            sum += a[i];
        if (i < b.size())
            sum += b[i];
        out[i] = static_cast<std::uint32_t>(sum % kBase);
        carry = static_cast<std::uint32_t>(sum / kBase);
    }
    trimHigh(out);
    return out;
}

// a - b for a >= b.
std::vector<std::uint32_t> subtractMagnitude(const std::vector<std::uint32_t>& a,
                                             const std::vector<std::uint32_t>& b) {
    std::vector<std::uint32_t> out(a.size(), 0);
    std::int64_t borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        std::int64_t d = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
        borrow = d < 0 ? 1 : 0;
        out[i] = static_cast<std::uint32_t>(d + borrow * kBase);
    }
    trimHigh(out);
    return out;
}

} // namespace

ExactDecimal ExactDecimal::read(std::string_view text, char divider) {
    // The reader's own checks and error texts; past them the text is known to be well formed.
    if (readNumber(text, divider) == 0)
        return {};
    ExactDecimal out;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        out.negative_ = text[i++] == '-';
    std::string digits;
    long long fraction = 0;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (!(digits.empty() && c == '0'))
                digits += c;
            fraction += inFraction ? 1 : 0;
        } else if (c == '.' || c == ',' || c == divider) {
            inFraction = true;
        } else {
            break;
        }
    }
    long long power = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool down = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        // The value is in the reader's range, so only leading zeros can make the exponent long.
        for (; i < text.size() && isDigit(text[i]); ++i)
            power = std::min(power * 10 + (text[i] - '0'), 1000000000000LL);
        power = down ? -power : power;
    }
    out.exponent_ = power - fraction;
    for (size_t end = digits.size(); end > 0;) {
        const size_t begin = end > 9 ? end - 9 : 0;
        out.mantissa_.push_back(
            static_cast<std::uint32_t>(std::stoul(digits.substr(begin, end - begin))));
        end = begin;
    }
    trimHigh(out.mantissa_);
    return out;
}

ExactDecimal::Limbs ExactDecimal::scaled(const Limbs& m, long long tens) {
    Limbs out(static_cast<size_t>(tens / 9), 0);
    out.insert(out.end(), m.begin(), m.end());
    std::uint64_t factor = 1;
    for (long long k = 0; k < tens % 9; ++k)
        factor *= 10;
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : out) {
        const std::uint64_t v = limb * factor + carry;
        limb = static_cast<std::uint32_t>(v % kBase);
        carry = v / kBase;
    }
    if (carry != 0)
        out.push_back(static_cast<std::uint32_t>(carry));
    return out;
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
    if (a.mantissa_.empty())
        return b;
    if (b.mantissa_.empty())
        return a;
    const long long e = std::min(a.exponent_, b.exponent_);
    const ExactDecimal::Limbs ma = ExactDecimal::scaled(a.mantissa_, a.exponent_ - e);
    const ExactDecimal::Limbs mb = ExactDecimal::scaled(b.mantissa_, b.exponent_ - e);
    ExactDecimal out;
    out.exponent_ = e;
    if (a.negative_ == b.negative_) {
        out.negative_ = a.negative_;
        out.mantissa_ = addMagnitude(ma, mb);
    } else {
        const bool aLarger = compareMagnitude(ma, mb) >= 0;
        out.negative_ = aLarger ? a.negative_ : b.negative_;
        out.mantissa_ = aLarger ? subtractMagnitude(ma, mb) : subtractMagnitude(mb, ma);
    }
    if (out.mantissa_.empty())
        return {};
    return out;
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
    if (a.mantissa_.empty() || b.mantissa_.empty())
        return {};
    ExactDecimal out;
    out.negative_ = a.negative_ != b.negative_;
    out.exponent_ = a.exponent_ + b.exponent_;
    std::vector<std::uint64_t> acc(a.mantissa_.size() + b.mantissa_.size() + 1, 0);
    for (size_t i = 0; i < a.mantissa_.size(); ++i) {
        std::uint64_t carry = 0;
        for (size_t j = 0; j < b.mantissa_.size(); ++j) {
            const std::uint64_t v =
                acc[i + j] + static_cast<std::uint64_t>(a.mantissa_[i]) * b.mantissa_[j] + carry;
            acc[i + j] = v % kBase;
            carry = v / kBase;
        }
        for (size_t k = i + b.mantissa_.size(); carry != 0; ++k) {
            const std::uint64_t v = acc[k] + carry;
            acc[k] = v % kBase;
            carry = v / kBase;
        }
    }
    out.mantissa_.assign(acc.begin(), acc.end());
    trimHigh(out.mantissa_);
    return out;
}

DecimalDigits ExactDecimal::digits() const {
    DecimalDigits d;
    if (mantissa_.empty())
        return d;
    d.negative = negative_;
    d.digits = std::to_string(mantissa_.back());
    for (size_t i = mantissa_.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(mantissa_[i]);
        d.digits.append(9 - part.size(), '0').append(part);
    }
    const long long length = static_cast<long long>(d.digits.size());
    d.digits.resize(d.digits.find_last_not_of('0') + 1);
    d.exponent = static_cast<int>(exponent_ + length - 1);
    return d;
}

} // namespace aethrian
