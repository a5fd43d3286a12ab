#include "rates/listratio.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "editing/droplist.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace aethrian {

namespace {

constexpr size_t npos = std::string_view::npos;

std::string ratio(std::string_view a, std::string_view b, char divider) {
    const long double x = readNumber(a, divider);
    const long double y = readNumber(b, divider);
    if (y == 0)
        throw OperationError("Floating point division by zero");
    return formatGeneral(x / y, 10, divider);
}

// What the list walk looks for: the four structural characters and the pair "};".
enum Needle { Open, Close, Semicolon, Brace, BraceSemicolon, kNeedles };

// The positions of the structural characters of a list, with, for each of them, the next one of
// every needle from there on. The walk then finds each needle in constant time from wherever it
// stands: scanning for them afresh (as a plain find does) is quadratic when a list holds many
// entries, or a needle far away or not at all.
class MarkIndex {
public:
    explicit MarkIndex(std::string_view text) : text_(text) {
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '[' || c == ']' || c == ';' || c == '}')
                marks_.push_back(i);
        }
        for (auto& next : next_)
            next.assign(marks_.size() + 1, npos);
        for (size_t j = marks_.size(); j-- > 0;) {
            for (int n = 0; n < kNeedles; ++n)
                next_[n][j] = next_[n][j + 1];
            const char c = text[marks_[j]];
            const Needle n = c == '[' ? Open : c == ']' ? Close : c == ';' ? Semicolon : Brace;
            next_[n][j] = j;
            if (n == Brace && j + 1 < marks_.size() && marks_[j + 1] == marks_[j] + 1 && text[marks_[j + 1]] == ';')
                next_[BraceSemicolon][j] = j;
        }
    }
    std::string_view text() const { return text_; }
    size_t size() const { return marks_.size(); }
    size_t position(size_t mark) const { return marks_[mark]; }
    // The first mark of `needle` at index `from` or later (npos: none).
    size_t next(Needle needle, size_t from) const { return next_[needle][from]; }

private:
    std::string_view text_;
    std::vector<size_t> marks_;
    std::array<std::vector<size_t>, kNeedles> next_;
};

// The rest of a list from `at` on, as the string_view helpers of the drop-list text see it;
// `rank` is the first mark at or after `at`.
class Cursor {
public:
    explicit Cursor(const MarkIndex& index) : ix_(&index) {}

    bool has(Needle needle) const { return ix_->next(needle, rank_) != npos; }
    // The needle's offset in the rest (npos: none), as find would give it.
    size_t find(Needle needle) const {
        const size_t j = ix_->next(needle, rank_);
        return j == npos ? npos : ix_->position(j) - at_;
    }
    // The text before the needle, or "" when there is none.
    std::string_view upTo(Needle needle) const {
        const size_t j = ix_->next(needle, rank_);
        return j == npos ? std::string_view() : ix_->text().substr(at_, ix_->position(j) - at_);
    }
    // Drops the text up to and including the needle; nothing when there is none.
    void cutAfter(Needle needle) {
        const size_t j = ix_->next(needle, rank_);
        if (j == npos)
            return;
        const size_t width = needle == BraceSemicolon ? 2 : 1;
        at_ = ix_->position(j) + width;
        rank_ = j + width;
    }
    // As droptext::takeName.
    std::string_view takeName() {
        const size_t open = ix_->next(Open, rank_);
        const size_t close = ix_->next(Close, rank_);
        std::string_view name;
        if (open != npos && close != npos && ix_->position(close) > ix_->position(open))
            name = ix_->text().substr(ix_->position(open) + 1, ix_->position(close) - ix_->position(open) - 1);
        const size_t size = ix_->text().size();
        if (close == npos) {
            at_ = std::min(at_ + 1, size);
        } else {
            at_ = std::min(ix_->position(close) + 2, size);
            rank_ = close;
        }
        // At most the closing bracket and the character after it are passed over.
        while (rank_ < ix_->size() && ix_->position(rank_) < at_)
            ++rank_;
        return name;
    }

private:
    const MarkIndex* ix_;
    size_t at_ = 0;
    size_t rank_ = 0;
};

} // namespace

std::string listRatioText(std::string_view l1, std::string_view l2, char divider) {
    const MarkIndex firstIndex(l1), secondIndex(l2);
    // Each entry of the first list is looked up by a walk from the top of the second: names taken
    // one after another until the name matches or no "[" is left. The walk is the same every time,
    // so it is taken once: each name with where the walk stands after its first occurrence.
    std::unordered_map<std::string_view, Cursor> afterName;
    {
        Cursor walk(secondIndex);
        do {
            const std::string_view name = walk.takeName();
            afterName.emplace(name, walk);
        } while (walk.has(Open));
    }
    Cursor c1(firstIndex);
    std::string r = "{";
    while (c1.has(Open)) {
        const std::string_view name1 = c1.takeName();
        r += "{[";
        r += name1;
        r += "];";
        if (const auto found = afterName.find(name1); found != afterName.end()) {
            Cursor c2 = found->second;
            for (int k = 0; k < 2; ++k) { // minimum, then maximum
                r += ratio(c1.upTo(Semicolon), c2.upTo(Semicolon), divider);
                r += "x;";
                c1.cutAfter(Semicolon);
                c2.cutAfter(Semicolon);
            }
            const size_t p1 = c1.find(Brace);
            const size_t p2 = c2.find(Brace);
            r += ratio(c1.upTo(Brace), c2.upTo(Brace), divider);
            r += "x}";
            c1.cutAfter(Brace);
            // The group test measures p1 in the text before the cut and k1 in the text after it,
            // so it looks a few characters past the entry's closing brace.
            const size_t k1 = c1.find(BraceSemicolon);
            const size_t k2 = c2.find(BraceSemicolon);
            const bool group1 = k1 != npos && p1 != npos && static_cast<long>(k1) - static_cast<long>(p1) < 7;
            const bool group2 = k2 != npos && p2 != npos && static_cast<long>(k2) - static_cast<long>(p2) < 7;
            if (group1) {
                c1.cutAfter(BraceSemicolon);
                const std::string_view g1 = c1.upTo(Brace);
                c1.cutAfter(Brace);
                if (group2) {
                    c2.cutAfter(BraceSemicolon);
                    const std::string_view g2 = c2.upTo(Brace);
                    r += "};";
                    r += ratio(g1, g2, divider);
                    r += "x | ";
                }
            }
        } else {
            r += c1.upTo(Brace);
            r += "x}";
            c1.cutAfter(Brace);
        }
    }
    r += "}";
    return r;
}

} // namespace aethrian
