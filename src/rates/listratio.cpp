#include "rates/listratio.h"

#include "app/errors.h"
#include "app/numbers.h"
#include "records/droplist.h"
#include "records/textscan.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace aethrian {

namespace {

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
// entries, or a needle far away or not at all. One allocation: this runs for every list cell of a
// comparison.
class MarkIndex {
  public:
    explicit MarkIndex(std::string_view text) : text_(text) {
        size_t count = 0;
        for (const char c : text)
            count += c == '[' || c == ']' || c == ';' || c == '}';
        marks_.resize(count + 1);
        size_t j = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '[' || c == ']' || c == ';' || c == '}')
                marks_[j++].position = i;
        }
        marks_[count].position = text.size();
        marks_[count].next.fill(npos);
        for (j = count; j-- > 0;) {
            Mark& m = marks_[j];
            m.next = marks_[j + 1].next;
            const char c = text[m.position];
            const Needle n = c == '[' ? Open : c == ']' ? Close : c == ';' ? Semicolon : Brace;
            m.next[n] = j;
            if (n == Brace && j + 1 < count && marks_[j + 1].position == m.position + 1 &&
                text[m.position + 1] == ';')
                m.next[BraceSemicolon] = j;
        }
    }
    std::string_view text() const { return text_; }
    size_t size() const { return marks_.size() - 1; }
    size_t position(size_t mark) const { return marks_[mark].position; }
    // The first mark of `needle` at index `from` or later (npos: none).
    size_t next(Needle needle, size_t from) const { return marks_[from].next[needle]; }

  private:
    struct Mark {
        size_t position;
        std::array<size_t, kNeedles> next;
    };
    std::string_view text_;
    std::vector<Mark> marks_; // and one past the last, where nothing is next
};

// The rest of a list from `at` on, as the string_view helpers of the drop-list text see it;
// `rank` is the first mark at or after `at`.
class Cursor {
  public:
    Cursor() = default;
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
            name = ix_->text().substr(ix_->position(open) + 1,
                                      ix_->position(close) - ix_->position(open) - 1);
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
    const MarkIndex* ix_ = nullptr;
    size_t at_ = 0;
    size_t rank_ = 0;
};

// The first occurrence of each name in a walk, by name: an open-addressing table in one array (a
// node per name would cost more than the walk itself on the short lists of a comparison).
class FirstOccurrences {
  public:
    explicit FirstOccurrences(const std::vector<std::pair<std::string_view, Cursor>>& walked)
        : walked_(walked) {
        size_t capacity = 4;
        while (capacity < 2 * walked.size())
            capacity *= 2;
        slots_.assign(capacity, kEmpty);
        for (size_t k = 0; k < walked.size(); ++k) {
            size_t& slot = slots_[slotOf(walked[k].first)];
            if (slot == kEmpty)
                slot = k;
        }
    }
    const Cursor* find(std::string_view name) const {
        const size_t k = slots_[slotOf(name)];
        return k == kEmpty ? nullptr : &walked_[k].second;
    }

  private:
    static constexpr size_t kEmpty = static_cast<size_t>(-1);
    // The slot holding `name`, or the empty one where it would go.
    size_t slotOf(std::string_view name) const {
        const size_t mask = slots_.size() - 1;
        for (size_t i = std::hash<std::string_view>{}(name)&mask;; i = (i + 1) & mask) {
            if (slots_[i] == kEmpty || walked_[slots_[i]].first == name)
                return i;
        }
    }
    const std::vector<std::pair<std::string_view, Cursor>>& walked_;
    std::vector<size_t> slots_;
};

} // namespace

std::string listRatioText(std::string_view l1, std::string_view l2, char divider) {
    const MarkIndex firstIndex(l1), secondIndex(l2);
    // Each entry of the first list is looked up by a walk from the top of the second: names taken
    // one after another until the name matches or no "[" is left. The walk is the same every time,
    // so it is taken once: each name with where the walk stands after its first occurrence.
    std::vector<std::pair<std::string_view, Cursor>> walked;
    {
        Cursor walk(secondIndex);
        do {
            const std::string_view name = walk.takeName();
            walked.emplace_back(name, walk);
        } while (walk.has(Open));
    }
    const FirstOccurrences afterName(walked);
    Cursor c1(firstIndex);
    std::string r = "{";
    while (c1.has(Open)) {
        const std::string_view name1 = c1.takeName();
        r += "{[";
        r += name1;
        r += "];";
        if (const Cursor* found = afterName.find(name1)) {
            Cursor c2 = *found;
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
            const bool group1 =
                k1 != npos && p1 != npos && static_cast<long>(k1) - static_cast<long>(p1) < 7;
            const bool group2 =
                k2 != npos && p2 != npos && static_cast<long>(k2) - static_cast<long>(p2) < 7;
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
