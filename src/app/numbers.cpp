#include "app/numbers.h"

#include "app/errors.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace aethrian {

bool isValidDivider(char c) {
    return c == ',' || c == '.';
}

std::string dotRem(std::string_view text, char divider) {
    std::string out(text);
    for (char& c : out) {
        if (c == '.' || c == ',')
            c = divider;
    }
    return out;
}

std::string dotAdd(std::string_view text, char divider) {
    std::string out(text);
    dotAddInPlace(out, divider);
    return out;
}

void dotAddInPlace(std::string& text, char divider) {
    for (char& c : text) {
        if (c == ',' || c == divider)
            c = '.';
    }
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// 10^0 to 10^18, each exact in long double: the short-decimal paths scale by them exactly.
constexpr auto kPowersOfTen = [] {
    std::array<long double, 19> t{};
    long double v = 1;
    for (auto& x : t) {
        x = v;
        v *= 10;
    }
    return t;
}();

// Plain decimals (" 12", "-0.5", "3,25"), most numbers of the files, read without building a
// normalised copy: the same value as the full reader below, which handles everything else.
std::optional<long double> plainDecimal(std::string_view text, char sepA, char sepB) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t m = 0;
    int digits = 0;
    int fraction = -1;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++digits > 18)
                return std::nullopt;
            m = m * 10 + static_cast<std::uint64_t>(c - '0');
            if (fraction >= 0)
                ++fraction;
        } else if ((c == sepA || c == sepB) && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n || digits == 0)
        return std::nullopt;
    const size_t scale = fraction < 0 ? 0 : static_cast<size_t>(fraction);
    const long double v = static_cast<long double>(m) / kPowersOfTen[scale];
    return negative ? -v : v;
}

} // namespace

std::optional<long double> tryParseFloat(std::string_view text, char separator) {
    if (auto v = plainDecimal(text, separator, separator))
        return v;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    std::string norm;
    norm.reserve(n + 2);
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        norm += text[i++];
        ++digits;
    }
    if (i < n && text[i] == separator) {
        ++i;
        norm += '.';
        while (i < n && isDigit(text[i])) {
            norm += text[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        norm += 'e';
        if (i < n && (text[i] == '+' || text[i] == '-'))
            norm += text[i++];
        size_t expDigits = 0;
        while (i < n && isDigit(text[i])) {
            norm += text[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return std::nullopt;
    if (norm.front() == '.')
        norm.insert(norm.begin(), '0');
    long double value = 0;
    auto [ptr, ec] = std::from_chars(norm.data(), norm.data() + norm.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number the system can hold.
        const auto e = norm.find('e');
        if (e != std::string::npos && e + 1 < norm.size() && norm[e + 1] == '-')
            value = 0;
        else
            return std::nullopt;
    } else if (ec != std::errc() || ptr != norm.data() + norm.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

long double parseFloat(std::string_view text, char separator) {
    if (auto v = tryParseFloat(text, separator))
        return *v;
    throw OperationError("'" + std::string(text) + "' is not a valid floating point value");
}

long double readNumber(std::string_view text, char divider) {
    // Either decimal point reads as the divider (what dotRem would make of it).
    if (auto v = plainDecimal(text, '.', ','))
        return *v;
    return parseFloat(dotRem(text, divider), divider);
}

std::optional<long double> tryReadCellNumber(std::string_view text) {
    if (auto v = plainDecimal(text, '.', ','))
        return v;
    // Only exponent forms are left for the full reader, so drop lists and names cost no copy.
    if (text.find_first_of("eE") == std::string_view::npos ||
        text.find_first_of("0123456789") == std::string_view::npos)
        return std::nullopt;
    if (auto v = tryParseFloat(text, '.'))
        return v;
    return tryParseFloat(text, ',');
}

std::optional<std::int64_t> tryParseInt64(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    text.remove_prefix(i);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int64_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int64_t parseInt(std::string_view text) {
    if (auto v = tryParseInt64(text))
        return *v;
    throw OperationError("'" + std::string(text) + "' is not a valid integer value");
}

namespace {

using Decimal = DecimalDigits;

// Splits a "%e" rendering ("-d.ddddde+XX") into sign, digits and exponent.
Decimal splitScientific(const char* text) {
    Decimal d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (isDigit(*p))
            d.digits += *p;
    }
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    return d;
}

std::string renderScientific(long double value, int precision) {
    std::vector<char> buf(static_cast<size_t>(precision) + 64);
    std::snprintf(buf.data(), buf.size(), "%.*Le", precision, value);
    return buf.data();
}

// True when every digit of `tail` after its first is '0'.
bool restIsZero(std::string_view tail) {
    return tail.find_first_not_of('0', 1) == std::string_view::npos;
}

// Rounds |value| to `digits` significant digits, exact halves away from zero.
Decimal roundSignificant(long double value, int digits) {
    constexpr int kGuard = 24;
    Decimal d = splitScientific(renderScientific(value, digits - 1 + kGuard).c_str());
    std::string tail = d.digits.substr(static_cast<size_t>(digits));
    d.digits.resize(static_cast<size_t>(digits));
    bool up = tail[0] > '5' || (tail[0] == '5' && !restIsZero(tail));
    if (tail[0] == '5' && restIsZero(tail)) {
        // Looks like a half: decide on the exact expansion, which is finite for binary values.
        Decimal exact = splitScientific(renderScientific(value, 16500).c_str());
        std::string_view exactTail =
            std::string_view(exact.digits).substr(static_cast<size_t>(digits));
        up = exactTail[0] >= '5'; // exact tie or above: away from zero
    }
    if (up) {
        int i = digits - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        } else {
            ++d.digits[static_cast<size_t>(i)];
        }
    }
    const auto last = d.digits.find_last_not_of('0');
    d.digits.resize(last == std::string::npos ? 1 : last + 1);
    return d;
}

// The general form of a rounded decimal (at most `digits` significant digits, at least one).
std::string renderGeneral(const Decimal& d, int digits, char separator) {
    std::string out = d.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= -4 && d.exponent < digits) {
        if (d.exponent >= 0) {
            const int intDigits = d.exponent + 1;
            if (count <= intDigits) {
                out += d.digits;
                out.append(static_cast<size_t>(intDigits - count), '0');
            } else {
                out += d.digits.substr(0, static_cast<size_t>(intDigits));
                out += separator;
                out += d.digits.substr(static_cast<size_t>(intDigits));
            }
        } else {
            out += '0';
            out += separator;
            out.append(static_cast<size_t>(-d.exponent - 1), '0');
            out += d.digits;
        }
        return out;
    }
    out += d.digits[0];
    if (count > 1) {
        out += separator;
        out += d.digits.substr(1);
    }
    out += 'E';
    if (d.exponent < 0)
        out += '-';
    out += std::to_string(std::abs(d.exponent));
    return out;
}

} // namespace

std::string notWritableMessage(std::string_view value, bool notANumber) {
    return "The computed value " + std::string(value) +
           (notANumber ? " is not a number and cannot be written" : " is too large to be written");
}

std::string formatGeneral(long double value, int digits, char separator) {
    if (std::isnan(value))
        throw OperationError(notWritableMessage("NAN", true));
    if (std::isinf(value))
        throw OperationError(notWritableMessage(value < 0 ? "-INF" : "INF"));
    if (value == 0)
        return "0";
    // Values that are the nearest long double to a short decimal m / 10^p (what reading "1.25"
    // or simple arithmetic on such numbers gives): the exact value lies far closer to m / 10^p
    // than to any rounding boundary of `digits` digits, so m is the rounded result, without the
    // costly exact expansion.
    if (digits >= 1 && digits <= 18 && std::fabs(value) >= 1e-4L) {
        const long double limit = kPowersOfTen[static_cast<size_t>(digits)];
        for (int p = 0; p <= 18; ++p) {
            const long double scale = kPowersOfTen[static_cast<size_t>(p)];
            const long double m = std::round(value * scale);
            if (std::fabs(m) >= limit)
                break;
            if (m / scale != value)
                continue;
            // Compose in a fixed buffer: this runs once per number of a whole-column change.
            char digitsBuf[24];
            int len = 0;
            for (auto u = static_cast<unsigned long long>(std::fabs(m)); u != 0 || len == 0;
                 u /= 10)
                digitsBuf[len++] = static_cast<char>('0' + u % 10);
            while (len <= p)
                digitsBuf[len++] = '0';
            int low = 0; // trailing zeros of the fraction are dropped
            while (low < p && digitsBuf[low] == '0')
                ++low;
            char text[48];
            int n = 0;
            if (value < 0)
                text[n++] = '-';
            for (int k = len - 1; k >= p; --k)
                text[n++] = digitsBuf[k];
            if (low < p) {
                text[n++] = separator;
                for (int k = p - 1; k >= low; --k)
                    text[n++] = digitsBuf[k];
            }
            return std::string(text, static_cast<size_t>(n));
        }
    }
    return renderGeneral(roundSignificant(value, digits), digits, separator);
}

std::string formatWhole(long double value, char separator) {
    if (!std::isfinite(value))
        return formatGeneral(value, 15, separator);
    const long double r = std::round(value);
    if (r == 0)
        return "0";
    if (std::fabs(r) >= 1e15L)
        return formatGeneral(r, 15, separator);
    // A whole number below 10^15 is exact as a long long: written as printf's "%.0Lf" writes
    // it, without the cost of a formatted print per cell.
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(r));
    return std::string(buf, end);
}

namespace {

// Keeps the first `keep` significant digits of an exact decimal, halves away from zero (the digit
// after them decides, since the digits are the whole value). Zero has no digits.
Decimal roundDigits(Decimal d, long long keep) {
    if (keep >= static_cast<long long>(d.digits.size()))
        return d;
    if (keep < 0)
        return {};
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    const auto last = d.digits.find_last_not_of('0');
    if (last == std::string::npos)
        return {};
    d.digits.resize(last + 1);
    return d;
}

// Exact results can exceed what the files' readers accept (long double); such a text is refused
// like an infinite value, since the program could not read it back.
std::string readableOrThrow(std::string text, int exponent, char separator) {
    if (std::abs(exponent) > 4900 && !tryParseFloat(text, separator))
        throw OperationError(notWritableMessage(text));
    return text;
}

} // namespace

std::string formatGeneral(const DecimalDigits& value, int digits, char separator) {
    const Decimal d = roundDigits(value, digits);
    if (d.digits.empty())
        return "0";
    return readableOrThrow(renderGeneral(d, digits, separator), d.exponent, separator);
}

std::string formatWhole(const DecimalDigits& value, char separator) {
    const Decimal r = roundDigits(value, static_cast<long long>(value.exponent) + 1);
    if (r.digits.empty())
        return "0";
    if (r.exponent >= 15)
        return formatGeneral(r, 15, separator);
    std::string out = r.negative ? "-" : "";
    out += r.digits;
    out.append(static_cast<size_t>(r.exponent + 1) - r.digits.size(), '0');
    return out;
}

} // namespace aethrian
