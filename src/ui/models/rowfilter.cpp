#include "ui/models/rowfilter.h"

#include "app/numbers.h"
#include "app/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace aethrian::ui {

namespace {

using Test = FilterCondition::Test;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

bool isNumeric(Test test) {
    return test >= Test::NumberEquals;
}

// A cell as a number, with either decimal point; NaN for every other text (never matches).
double cellNumber(std::string_view text) {
    const size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return kNotANumber;
    const char c = text[i];
    // Most texts that are not numbers (names, drop lists) are told by their first character.
    if (!(c >= '0' && c <= '9') && c != '-' && c != '+' && c != '.' && c != ',')
        return kNotANumber;
    // Stored numbers are written with ".", so the text is read as it stands first.
    auto v = tryParseFloat(text, '.');
    if (!v && text.find(',') != std::string_view::npos)
        v = tryParseFloat(dotRem(text, ','), ',');
    return v ? static_cast<double>(*v) : kNotANumber;
}

// A bound typed by the user; empty means none.
std::optional<double> boundOf(const QString& text, bool& bad) {
    const std::string t = text.trimmed().toStdString();
    if (t.empty())
        return std::nullopt;
    const double v = cellNumber(t);
    bad = bad || std::isnan(v);
    return std::isnan(v) ? std::nullopt : std::optional<double>(v);
}

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = fold(c);
    return out;
}

// `lowNeedle` (already folded) inside `hay`, ignoring the case of A to Z.
bool containsFolded(std::string_view hay, std::string_view lowNeedle) {
    const size_t n = lowNeedle.size();
    if (n == 0)
        return true;
    if (hay.size() < n)
        return false;
    const char first = lowNeedle[0];
    for (size_t i = 0, last = hay.size() - n; i <= last; ++i) {
        if (fold(hay[i]) != first)
            continue;
        size_t k = 1;
        while (k < n && fold(hay[i + k]) == lowNeedle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

bool equalsFolded(std::string_view text, std::string_view lowNeedle) {
    if (text.size() != lowNeedle.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (fold(text[i]) != lowNeedle[i])
            return false;
    return true;
}

QRegularExpression compiled(const QString& pattern, bool ignoreCase) {
    QRegularExpression re(pattern, ignoreCase ? QRegularExpression::CaseInsensitiveOption
                                              : QRegularExpression::NoPatternOption);
    re.optimize();
    return re;
}

// True when every byte of `text` is below 0x80, read eight bytes at a time.
bool isAscii(std::string_view text) {
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct AsciiPattern {
    std::unique_ptr<pcre2_code, CodeFree> code;
    bool jit = false; // compiled to machine code: matched through the JIT's own, shorter path
    // No shorter text can match (the library's own bound): most cells of a record are short
    // numbers, which a longer pattern then passes by without a call.
    std::uint32_t minLength = 0;
};

// The pattern as the 8-bit library's code, for the cells that are all ASCII (nearly every cell):
// they are matched where they lie, without being widened to UTF-16 and without the allocations
// QRegularExpression makes for each match, which on short cells cost more than the matching.
// The options are QRegularExpression's own (UTF and the case), and ASCII text is the same
// code points in both widths, so both answer alike. Null when the pattern will not compile here:
// every cell then goes through QRegularExpression.
AsciiPattern asciiPattern(const QString& pattern, bool ignoreCase) {
    const QByteArray utf8 = pattern.toUtf8();
    int error = 0;
    PCRE2_SIZE offset = 0;
    // Groups keep capturing: a back reference such as (.)\1 needs its group.
    const std::uint32_t options = PCRE2_UTF | (ignoreCase ? PCRE2_CASELESS : 0U);
    AsciiPattern pattern8;
    pattern8.code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                                      static_cast<PCRE2_SIZE>(utf8.size()), options, &error,
                                      &offset, nullptr));
    // Without the JIT (a system that refuses executable memory) the pattern is interpreted.
    pattern8.jit = pattern8.code && pcre2_jit_compile(pattern8.code.get(), PCRE2_JIT_COMPLETE) == 0;
    if (pattern8.code &&
        pcre2_pattern_info(pattern8.code.get(), PCRE2_INFO_MINLENGTH, &pattern8.minLength) != 0)
        pattern8.minLength = 0;
    return pattern8;
}

// A text test prepared once and then run on many cells. "does not contain" runs as "contains";
// the caller turns the answer round for the whole record.
class TextTest {
  public:
    TextTest(const FilterCondition& c, bool ignoreCase, const AsciiPattern& ascii)
        : test_(c.test), ignoreCase_(ignoreCase), needle_(c.text.toStdString()),
          ascii_(ascii.code.get()), jit_(ascii.jit), minLength_(ascii.minLength) {
        if (ignoreCase_)
            needle_ = folded(needle_);
        if (test_ == Test::Regex) {
            re_ = compiled(c.text, ignoreCase);
            if (ascii_)
                asciiMatch_.reset(pcre2_match_data_create(1, nullptr));
        }
    }

    bool matches(std::string_view cell) {
        switch (test_) {
        case Test::Equals:
            return ignoreCase_ ? equalsFolded(cell, needle_) : cell == needle_;
        case Test::Regex:
            if (asciiMatch_ && isAscii(cell)) {
                if (cell.size() < minLength_) // ASCII: a byte is a character
                    return false;
                const auto subject = reinterpret_cast<PCRE2_SPTR>(cell.data());
                const int rc = jit_ ? pcre2_jit_match(ascii_, subject, cell.size(), 0, 0,
                                                      asciiMatch_.get(), nullptr)
                                    : pcre2_match(ascii_, subject, cell.size(), 0,
                                                  PCRE2_NO_UTF_CHECK, asciiMatch_.get(), nullptr);
                if (rc >= 0 || rc == PCRE2_ERROR_NOMATCH)
                    return rc >= 0;
                // A limit met here (the JIT's small default stack): QRegularExpression, which
                // gives the JIT more, decides.
            }
            return re_.match(QStringView(utf16(cell))).hasMatch();
        default:
            return ignoreCase_ ? containsFolded(cell, needle_)
                               : cell.find(needle_) != std::string_view::npos;
        }
    }

  private:
    // The cell for the regular expression, in one buffer reused from cell to cell: record text is
    // nearly all ASCII, which widens without a decoder.
    const QString& utf16(std::string_view cell) {
        buffer_.resize(static_cast<qsizetype>(cell.size()));
        QChar* out = buffer_.data();
        for (size_t i = 0; i < cell.size(); ++i) {
            const auto byte = static_cast<unsigned char>(cell[i]);
            if (byte >= 0x80) {
                buffer_ = QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
                return buffer_;
            }
            out[i] = QChar(byte);
        }
        return buffer_;
    }

    Test test_;
    bool ignoreCase_;
    std::string needle_;
    QRegularExpression re_;
    QString buffer_;
    const pcre2_code* ascii_;
    bool jit_;
    std::uint32_t minLength_;
    std::unique_ptr<pcre2_match_data, MatchDataFree> asciiMatch_;
};

// Cheaper conditions first: the later ones then visit fewer records.
int cost(const FilterCondition& c) {
    const int spread = c.column == FilterCondition::kAnyColumn ? 4 : 0;
    return spread + (isNumeric(c.test) ? 0 : c.test == Test::Regex ? 2 : 1);
}

// Runs body(from, to) over the records 1 .. rows - 1 in blocks shared among the cores: a
// condition on every column reads a million cells, a regular expression calls the engine for
// each. Each record's flag is written by one block only.
template <class Body> void forRowBlocks(size_t rows, Body&& body) {
    constexpr size_t kRowsPerBlock = 1024;
    parallelFor((rows + kRowsPerBlock - 1) / kRowsPerBlock, [&](size_t block) {
        body(std::max<size_t>(1, block * kRowsPerBlock),
             std::min(rows, (block + 1) * kRowsPerBlock));
    });
}

} // namespace

QString RowFilter::problem(const FilterCondition& c) {
    if (c.test == Test::Regex) {
        const QRegularExpression re(c.text);
        return re.isValid() ? QString()
                            : QStringLiteral("Not a regular expression: %1").arg(re.errorString());
    }
    if (!isNumeric(c.test))
        return {};
    bool bad = false;
    boundOf(c.text, bad);
    if (c.test == Test::Between)
        boundOf(c.upTo, bad);
    return bad ? QStringLiteral("Not a number") : QString();
}

bool RowFilter::inForce(const FilterCondition& c) {
    const bool hasText =
        !c.text.trimmed().isEmpty() || (c.test == Test::Between && !c.upTo.trimmed().isEmpty());
    return hasText && problem(c).isEmpty();
}

std::vector<char> RowFilter::match(const std::vector<FilterCondition>& conditions,
                                   bool ignoreCase) {
    std::vector<char> shown(table_.rowCount(), 1);
    if (!shown.empty())
        shown[0] = 0;
    std::vector<FilterCondition> order;
    for (const FilterCondition& c : conditions)
        if (inForce(c))
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return cost(a) < cost(b); });
    for (const FilterCondition& c : order)
        narrow(c, ignoreCase, shown);
    return shown;
}

void RowFilter::forgetColumns(size_t first, size_t last) {
    for (size_t c = first; c <= last && c < numbers_.size(); ++c)
        numbers_[c].clear();
}

const std::vector<double>& RowFilter::numbers(size_t column) {
    if (numbers_.size() != table_.colCount())
        numbers_.assign(table_.colCount(), {});
    std::vector<double>& v = numbers_[column];
    if (v.size() != table_.rowCount()) {
        v.assign(table_.rowCount(), kNotANumber);
        for (size_t r = 1; r < v.size(); ++r)
            v[r] = cellNumber(table_.cell(r, column));
    }
    return v;
}

// Clears the flag of every shown record that fails `c`.
void RowFilter::narrow(const FilterCondition& c, bool ignoreCase, std::vector<char>& shown) {
    const size_t columns = table_.colCount();
    const bool any = c.column == FilterCondition::kAnyColumn;
    if (!any && (c.column < 0 || static_cast<size_t>(c.column) >= columns))
        return;
    const size_t first = any ? 0 : static_cast<size_t>(c.column);
    const size_t end = any ? columns : first + 1;
    const size_t rows = shown.size();

    if (isNumeric(c.test)) {
        bool bad = false;
        const auto a = boundOf(c.text, bad);
        const auto b = boundOf(c.upTo, bad);
        // A range reads either way round; an empty end leaves that side open.
        double low = a.value_or(-std::numeric_limits<double>::infinity());
        double high = b.value_or(std::numeric_limits<double>::infinity());
        if (c.test == Test::Between && a && b && low > high)
            std::swap(low, high);
        const double x = low;
        const auto passes = [&](double v) {
            switch (c.test) {
            case Test::NumberEquals:
                return v == x;
            case Test::Less:
                return v < x;
            case Test::LessOrEqual:
                return v <= x;
            case Test::Greater:
                return v > x;
            case Test::GreaterOrEqual:
                return v >= x;
            default:
                return v >= low && v <= high; // NaN fails every comparison
            }
        };
        if (any) {
            // Across every column the cells are read row by row, where they lie together in
            // memory, and only until one passes; keeping 90 columns of numbers would cost more
            // than it saves.
            forRowBlocks(rows, [&](size_t from, size_t to) {
                for (size_t r = from; r < to; ++r) {
                    if (!shown[r])
                        continue;
                    const Table::Row& row = table_.row(r);
                    shown[r] = std::any_of(row.begin(), row.end(), [&](const std::string& cell) {
                        return passes(cellNumber(cell));
                    });
                }
            });
            return;
        }
        const std::vector<double>& v = numbers(first);
        for (size_t r = 1; r < rows; ++r)
            shown[r] = shown[r] && passes(v[r]);
        return;
    }

    // Each block of records has a test of its own, as the regular expression keeps match state
    // and the test a conversion buffer; the compiled 8-bit pattern is only read, so it is shared.
    const bool invert = c.test == Test::NotContains;
    const AsciiPattern ascii =
        c.test == Test::Regex ? asciiPattern(c.text, ignoreCase) : AsciiPattern();
    forRowBlocks(rows, [&](size_t from, size_t to) {
        TextTest test(c, ignoreCase, ascii);
        for (size_t r = from; r < to; ++r) {
            if (!shown[r])
                continue;
            const Table::Row& row = table_.row(r);
            bool hit = false;
            for (size_t col = first; col < end && !hit; ++col)
                hit = test.matches(row[col]);
            shown[r] = hit != invert;
        }
    });
}

} // namespace aethrian::ui
