#include "records/textdecode.h"

namespace aethrian {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at bytes[i]; returns its length, 0 when malformed.
size_t utf8Sequence(std::string_view bytes, size_t i, char32_t& cp) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    size_t len;
    char32_t min;
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > bytes.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

std::string decodeUtf16(std::string_view bytes, bool littleEndian) {
    const size_t units = bytes.size() / 2;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const int lo = littleEndian ? 0 : 1;
    const int hi = 1 - lo;
    const auto unit = [&](size_t k) -> char32_t { return p[2 * k + lo] | (p[2 * k + hi] << 8); };
    // Size the text exactly first, so a large file never holds a worst-case buffer.
    size_t length = bytes.size() % 2 != 0 ? 3 : 0;
    for (size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u < 0x80)
            length += 1;
        else if (u < 0x800)
            length += 2;
        else if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
                 unit(k + 1) <= 0xDFFF) {
            length += 4;
            ++k;
        } else
            length += 3;
    }
    std::string out(length, '\0');
    char* w = out.data();
    const auto put = [&](char32_t cp) {
        if (cp < 0x80) {
            *w++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *w++ = static_cast<char>(0xC0 | (cp >> 6));
            *w++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *w++ = static_cast<char>(0xE0 | (cp >> 12));
            *w++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *w++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *w++ = static_cast<char>(0xF0 | (cp >> 18));
            *w++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *w++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *w++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    for (size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u < 0x80) {
            *w++ = static_cast<char>(u);
        } else if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
                   unit(k + 1) <= 0xDFFF) {
            put(0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
            ++k;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            put(kReplacement);
        } else {
            put(u);
        }
    }
    if (bytes.size() % 2 != 0)
        put(kReplacement);
    out.resize(static_cast<size_t>(w - out.data()));
    return out;
}

std::string decodeUtf8Lenient(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp;
        const size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            appendUtf8(out, kReplacement);
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

DecodedText decodeWithoutMark(std::string_view bytes, std::string_view text) {
    if (isValidUtf8(text))
        return {std::string(text), TextEncoding::Utf8};
    (void)bytes;
    return {decodeWindows1252(text), TextEncoding::Windows1252};
}

bool startsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string_view utf8Window(std::string_view text, size_t start, size_t chars) {
    if (start >= text.size())
        return {};
    text.remove_prefix(start);
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end) {
        // A character starts at every byte that is not a continuation byte (10xxxxxx).
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == chars)
            break;
    }
    return text.substr(0, end);
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        // Fast path over ASCII runs.
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp;
        const size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

DecodedText decodeText(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE"))
        return {decodeUtf16(bytes.substr(2), true), TextEncoding::Utf16LE};
    if (startsWith(bytes, "\xFE\xFF"))
        return {decodeUtf16(bytes.substr(2), false), TextEncoding::Utf16BE};
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return {decodeUtf8Lenient(bytes.substr(3)), TextEncoding::Utf8Bom};
    return decodeWithoutMark(bytes, bytes);
}

DecodedText decodeTextUtf16MarksOnly(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE"))
        return {decodeUtf16(bytes.substr(2), true), TextEncoding::Utf16LE};
    if (startsWith(bytes, "\xFE\xFF"))
        return {decodeUtf16(bytes.substr(2), false), TextEncoding::Utf16BE};
    return decodeWithoutMark(bytes, bytes);
}

void appendUtf16LE(std::string& out, std::string_view utf8) {
    const auto put = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            out += '\0';
            ++i;
            continue;
        }
        char32_t cp;
        size_t len = utf8Sequence(utf8, i, cp);
        if (len == 0) {
            cp = kReplacement;
            len = 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
        i += len;
    }
}

std::string encodeUtf16LE(std::string_view utf8, bool withBom) {
    // The ASCII run at the start, nearly all of a record file, is written straight into a buffer
    // of its final size (two appends per character cost as much as decoding); the first other
    // character hands the rest to the general path.
    size_t ascii = 0;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80)
        ++ascii;
    std::string out((withBom ? 2 : 0) + 2 * ascii, '\0');
    char* w = out.data();
    if (withBom) {
        *w++ = '\xFF';
        *w++ = '\xFE';
    }
    for (size_t i = 0; i < ascii; ++i, w += 2)
        *w = utf8[i];
    if (ascii < utf8.size()) {
        out.reserve(out.size() + 2 * (utf8.size() - ascii) + 2);
        appendUtf16LE(out, utf8.substr(ascii));
    }
    return out;
}

} // namespace aethrian
