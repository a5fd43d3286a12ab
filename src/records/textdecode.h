#pragma once

// Decoding a file's bytes to the UTF-8 used inside, and encoding UTF-8 back to UTF-16LE.
#include <cstddef>
#include <string>
#include <string_view>

namespace aethrian {

enum class TextEncoding { Utf16LE, Utf16BE, Utf8Bom, Utf8, Windows1252 };

struct DecodedText {
    std::string text; // UTF-8
    TextEncoding encoding = TextEncoding::Utf8;
};

// Decodes a file's bytes: FF FE UTF-16LE, FE FF UTF-16BE, EF BB BF UTF-8; without a mark UTF-8
// when the bytes are valid UTF-8, otherwise Windows-1252. The mark is not part of the text.
// Malformed sequences (lone surrogates, an odd trailing byte) become U+FFFD.
DecodedText decodeText(std::string_view bytes);
// As decodeText, but only the two UTF-16 marks are recognised; anything else is read as
// 8-bit text (valid UTF-8 stays UTF-8, otherwise Windows-1252).
DecodedText decodeTextUtf16MarksOnly(std::string_view bytes);

// UTF-8 to UTF-16LE, optionally with the mark FF FE. Invalid UTF-8 becomes U+FFFD.
std::string encodeUtf16LE(std::string_view utf8, bool withBom);
// Appends the UTF-16LE units of `utf8` to `out`.
void appendUtf16LE(std::string& out, std::string_view utf8);

bool isValidUtf8(std::string_view bytes);
// Appends the UTF-8 form of the code point `cp`.
void appendUtf8(std::string& out, char32_t cp);

// The text from byte `start` holding at most `chars` characters (not bytes): windows of a fixed
// width measure what the user sees, also for names in other scripts.
std::string_view utf8Window(std::string_view text, size_t start, size_t chars);

} // namespace aethrian
