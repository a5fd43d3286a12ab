#include "lint/lintreport.h"

#include "app/errors.h"
#include "records/textdecode.h"

#include <memory>
#include <utility>

namespace aethrian {

namespace {

// Just enough JSON to read a report back: a value tree of objects, arrays, strings and the
// other literals (kept as text). A report nests three levels; the limit keeps hostile input
// from exhausting the stack.
constexpr int kMaxDepth = 32;

struct JsonMember;

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    std::string text; // string contents, or the literal as written
    std::vector<JsonValue> items;
    // Not pairs: a pair needs its parts complete where JsonValue is still being declared.
    std::vector<JsonMember> members;

    const JsonValue* member(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const auto& [k, v] : members)
        if (k == key)
            return &v;
    return nullptr;
}

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    JsonValue document() {
        JsonValue v = value(0);
        space();
        if (pos_ != s_.size())
            fail("unexpected text after the report");
        return v;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw ExpectedProblem("The baseline is not a lint report in JSON: " + what + " at byte " +
                              std::to_string(pos_ + 1));
    }

    void space() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }

    bool eat(char c) {
        space();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void expect(char c) {
        if (!eat(c))
            fail(std::string("expected '") + c + "'");
    }

    JsonValue value(int depth) {
        if (depth > kMaxDepth)
            fail("nesting too deep");
        space();
        if (pos_ >= s_.size())
            fail("unexpected end");
        JsonValue v;
        const char c = s_[pos_];
        if (c == '{') {
            ++pos_;
            v.type = JsonValue::Type::Object;
            if (eat('}'))
                return v;
            do {
                space();
                if (pos_ >= s_.size() || s_[pos_] != '"')
                    fail("expected a member name");
                std::string key = string();
                expect(':');
                v.members.push_back({std::move(key), value(depth + 1)});
            } while (eat(','));
            expect('}');
        } else if (c == '[') {
            ++pos_;
            v.type = JsonValue::Type::Array;
            if (eat(']'))
                return v;
            do
                v.items.push_back(value(depth + 1));
            while (eat(','));
            expect(']');
        } else if (c == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (literal("true") || literal("false")) {
            v.type = JsonValue::Type::Bool;
        } else if (literal("null")) {
            v.type = JsonValue::Type::Null;
        } else {
            v.type = JsonValue::Type::Number;
            v.text = number();
        }
        return v;
    }

    bool literal(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    static bool digit(char c) { return c >= '0' && c <= '9'; }

    std::string number() {
        const size_t start = pos_;
        if (pos_ < s_.size() && s_[pos_] == '-')
            ++pos_;
        if (pos_ >= s_.size() || !digit(s_[pos_]))
            fail("unexpected character");
        if (s_[pos_] == '0')
            ++pos_;
        else
            while (pos_ < s_.size() && digit(s_[pos_]))
                ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (pos_ >= s_.size() || !digit(s_[pos_]))
                fail("malformed number");
            while (pos_ < s_.size() && digit(s_[pos_]))
                ++pos_;
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
                ++pos_;
            if (pos_ >= s_.size() || !digit(s_[pos_]))
                fail("malformed number");
            while (pos_ < s_.size() && digit(s_[pos_]))
                ++pos_;
        }
        return std::string(s_.substr(start, pos_ - start));
    }

    unsigned hex4() {
        if (pos_ + 4 > s_.size())
            fail("malformed \\u escape");
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[pos_++];
            v <<= 4;
            if (digit(c))
                v |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= static_cast<unsigned>(c - 'A' + 10);
            else
                fail("malformed \\u escape");
        }
        return v;
    }

    std::string string() {
        ++pos_; // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= s_.size())
                fail("unterminated string");
            const char c = s_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size())
                fail("unterminated string");
            const char e = s_[pos_++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned cp = hex4();
                if (cp >= 0xD800 && cp < 0xDC00 && s_.substr(pos_, 2) == "\\u") {
                    const size_t back = pos_;
                    pos_ += 2;
                    const unsigned low = hex4();
                    if (low >= 0xDC00 && low < 0xE000)
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    else
                        pos_ = back;
                }
                if (cp >= 0xD800 && cp < 0xE000)
                    cp = 0xFFFD; // a lone surrogate, as the text decoders read one
                appendUtf8(out, cp);
                break;
            }
            default:
                fail("unknown escape");
            }
        }
    }

    std::string_view s_;
    size_t pos_ = 0;
};

std::string key(std::string_view check, std::string_view file, std::string_view record,
                std::string_view message) {
    std::string k;
    for (std::string_view part : {check, file, record, message}) {
        k += part;
        k += '\0';
    }
    return k;
}

// A string member, "" for null or absent; any other type is malformed.
std::string textOf(const JsonValue& object, std::string_view name) {
    const JsonValue* v = object.member(name);
    if (!v || v->type == JsonValue::Type::Null)
        return {};
    if (v->type != JsonValue::Type::String)
        throw ExpectedProblem("The baseline is not a lint report in JSON: \"" + std::string(name) +
                              "\" of a finding is not a string");
    return v->text;
}

void appendEscaped(std::string& out, std::string_view text) {
    static const char* hex = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7F) {
                out += "\\u00";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

std::string jsonString(std::string_view text) {
    std::string out;
    appendEscaped(out, text);
    return out;
}

Baseline readBaseline(std::string_view json) {
    const JsonValue doc = JsonReader(json).document();
    const auto bad = [](const std::string& what) {
        return ExpectedProblem("The baseline is not a lint report in JSON: " + what);
    };
    if (doc.type != JsonValue::Type::Object)
        throw bad("the report is not an object");
    std::map<std::string, std::string> kindOfPath;
    if (const JsonValue* files = doc.member("files")) {
        if (files->type != JsonValue::Type::Object)
            throw bad("\"files\" is not an object");
        for (const auto& [kind, path] : files->members) {
            if (path.type != JsonValue::Type::String)
                throw bad("a path of \"files\" is not a string");
            kindOfPath[path.text] = kind;
        }
    }
    const JsonValue* findings = doc.member("findings");
    if (!findings || findings->type != JsonValue::Type::Array)
        throw bad("no \"findings\" list");
    Baseline baseline;
    for (const JsonValue& f : findings->items) {
        if (f.type != JsonValue::Type::Object)
            throw bad("a finding is not an object");
        std::string file = textOf(f, "file");
        if (auto it = kindOfPath.find(file); it != kindOfPath.end())
            file = it->second;
        ++baseline.counts[key(textOf(f, "check"), file, textOf(f, "record"), textOf(f, "message"))];
    }
    return baseline;
}

std::vector<Finding> newFindings(const LintReport& report, const Baseline& baseline,
                                 size_t& suppressed) {
    suppressed = 0;
    std::map<std::string, size_t> left = baseline.counts;
    std::vector<Finding> shown;
    for (const Finding& f : report.findings) {
        auto it = left.find(key(f.check, f.kind, f.record, f.message));
        if (it != left.end() && it->second > 0) {
            --it->second;
            ++suppressed;
            continue;
        }
        shown.push_back(f);
    }
    return shown;
}

std::map<std::string, size_t> countsPerCheck(const LintReport& report,
                                             const std::vector<Finding>& shown) {
    std::map<std::string, size_t> counts;
    for (const std::string& c : report.checksRun)
        counts[c] = 0;
    for (const Finding& f : shown)
        ++counts[f.check];
    return counts;
}

std::string lintText(const LintReport& report, const std::vector<Finding>& shown,
                     size_t suppressed) {
    std::string out;
    for (const Finding& f : shown) {
        out += f.file;
        if (f.line)
            out += ":" + std::to_string(f.line);
        out += ": " + f.check + ": " + f.message + "\n";
    }
    std::string perCheck;
    for (const auto& [check, n] : countsPerCheck(report, shown))
        if (n)
            perCheck += (perCheck.empty() ? "" : ", ") + check + " " + std::to_string(n);
    out += "lint: " + std::to_string(report.checksRun.size()) + " checks run, " +
           std::to_string(shown.size()) + " findings";
    if (!perCheck.empty())
        out += " (" + perCheck + ")";
    out += ", " + std::to_string(suppressed) + " suppressed by the baseline\n";
    return out;
}

std::string lintJson(const LintReport& report, const std::vector<Finding>& shown,
                     size_t suppressed) {
    std::string out = "{\n  \"files\": {";
    bool first = true;
    for (const auto& [kind, path] : report.files) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        appendEscaped(out, kind);
        out += ": ";
        appendEscaped(out, path);
    }
    out += first ? "},\n" : "\n  },\n";
    out += "  \"findings\": [";
    first = true;
    const auto optional = [&out](const std::string& text) {
        if (text.empty())
            out += "null";
        else
            appendEscaped(out, text);
    };
    for (const Finding& f : shown) {
        out += first ? "\n    {" : ",\n    {";
        first = false;
        out += "\"check\": ";
        appendEscaped(out, f.check);
        out += ", \"file\": ";
        appendEscaped(out, f.file);
        out += ", \"line\": " + (f.line ? std::to_string(f.line) : std::string("null"));
        out += ", \"record\": ";
        optional(f.record);
        out += ", \"id\": ";
        optional(f.id);
        out += ", \"message\": ";
        appendEscaped(out, f.message);
        out += "}";
    }
    out += first ? "],\n" : "\n  ],\n";
    out += "  \"summary\": {\"checks\": {";
    first = true;
    for (const auto& [check, n] : countsPerCheck(report, shown)) {
        out += first ? "" : ", ";
        first = false;
        appendEscaped(out, check);
        out += ": " + std::to_string(n);
    }
    out += "}, \"total\": " + std::to_string(shown.size()) +
           ", \"suppressed\": " + std::to_string(suppressed) + "}\n}\n";
    return out;
}

} // namespace aethrian
