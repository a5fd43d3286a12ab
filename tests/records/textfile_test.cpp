#include "app/errors.h"
#include "records/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace aethrian;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    TextLines lines = splitRecordLines(text);
    std::vector<std::string> out;
    for (size_t i = 0; i < lines.size(); ++i)
        out.emplace_back(lines[i]);
    return out;
}

std::string utf16(const std::u16string& s, bool le) {
    std::string out = le ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : s) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += le ? lo : hi;
        out += le ? hi : lo;
    }
    return out;
}

std::filesystem::path tempDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("aeth-text-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

TEST(DecodeText, ByteOrderMarksAndFallbacks) {
    EXPECT_EQ(decodeText(utf16(u"a\u00e9\u4e2d", true)).text, "a\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(decodeText(utf16(u"a\u00e9\u4e2d", false)).text, "a\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(decodeText("\xEF\xBB\xBFx\xC3\xA9").text, "x\xC3\xA9");
    EXPECT_EQ(decodeText("x\xC3\xA9").encoding, TextEncoding::Utf8);
    // Not UTF-8: Windows-1252, where 0x80 is the euro sign.
    const DecodedText cp = decodeText("x\xE9\x80");
    EXPECT_EQ(cp.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(cp.text, "x\xC3\xA9\xE2\x82\xAC");
}

TEST(DecodeText, MalformedUtf16BecomesReplacement) {
    // Lone high surrogate, then an odd trailing byte.
    std::string bytes = utf16(u"a", true) + std::string("\x00\xD8", 2) + "b";
    EXPECT_EQ(decodeText(bytes).text, "a\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(decodeText(utf16(u"\U0001F600", true)).text, "\xF0\x9F\x98\x80");
}

TEST(EncodeUtf16, RoundTripsEveryPlane) {
    const std::string text = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\r\n";
    EXPECT_EQ(decodeText(encodeUtf16LE(text, true)).text, text);
}

TEST(SplitRecordLines, LineEnds) {
    using V = std::vector<std::string>;
    EXPECT_EQ(linesOf("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(linesOf("a\r\n"), (V{"a"}));
    EXPECT_EQ(linesOf("a\r\n\xE2\x80\xA8"
                      "b"),
              (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\n\xE2\x80\xA8"
                      "b"),
              (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\xE2\x80\xA8"
                      "b"),
              (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\r\xE2\x80\xA8"
                      "b"),
              (V{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf(std::string("a\nb\0c\nd", 7)), (V{"a", std::string("b\0c", 3), "d"}));
    EXPECT_EQ(splitRecordLines(std::string("a\r\n\r\nb\0\0\nc\0", 10)).firstNulLine(), 3u);
    EXPECT_EQ(splitRecordLines(std::string("\0", 1)).firstNulLine(), 1u);
    EXPECT_EQ(splitRecordLines("a\nb").firstNulLine(), 0u);
    EXPECT_EQ(linesOf(""), V{});
}

// The splitters skip eight bytes at a time: line ends at every offset of a word, and the three
// bytes of U+2028 across two words, must split as a byte at a time does.
TEST(SplitRecordLines, WordSkippingSplitsAsByteByByte) {
    const auto reference = [](const std::string& t) {
        std::vector<std::string> out;
        size_t start = 0, i = 0;
        const auto ls = [&](size_t k) { return t.compare(k, 3, "\xE2\x80\xA8") == 0; };
        while (i < t.size()) {
            if (t[i] == '\r' || t[i] == '\n') {
                out.push_back(t.substr(start, i - start));
                i += t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n' ? 2 : 1;
                if (i < t.size() && t[i - 1] == '\n' && ls(i))
                    i += 3;
                start = i;
            } else if (ls(i)) {
                out.push_back(t.substr(start, i - start));
                i += 3;
                start = i;
            } else {
                ++i;
            }
        }
        if (start < t.size())
            out.push_back(t.substr(start));
        return out;
    };
    const std::string alphabet("abc\r\n\xE2\x80\xA8\0", 9);
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t length = rng() % 48;
        for (size_t k = 0; k < length; ++k)
            text += rng() % 3 ? 'x' : alphabet[rng() % alphabet.size()];
        ASSERT_EQ(linesOf(text), reference(text)) << round;
        std::vector<std::string> pane;
        for (std::string_view line : splitPaneLines(text))
            pane.emplace_back(line);
        std::vector<std::string> viaCopy;
        const std::string paneText = toPaneText(text);
        for (std::string_view line : paneLines(paneText))
            viaCopy.emplace_back(line);
        ASSERT_EQ(pane, viaCopy) << round;
    }
}

TEST(PaneText, LineEndsBecomeCrLf) {
    EXPECT_EQ(toPaneText("a\nb\rc\r\nd\xE2\x80\xA8"
                         "e\n"),
              "a\r\nb\r\nc\r\nd\r\ne\r\n");
    const auto lines = paneLines("a\r\n\r\nb\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(paneLines("x").size(), 1u);
    EXPECT_TRUE(paneLines("").empty());
}

TEST(PaneText, SideFileLinesAreSplitWhereTheTextWasDecoded) {
    // The lines of the decoded text are the lines its pane would hold, on texts made of line-end
    // pieces (CR LF, lone CR and LF, U+2028 and its broken prefixes, a NUL) and plain characters,
    // some in runs long enough to be skipped a word at a time.
    const std::vector<std::string> pieces{"\r",
                                          "\n",
                                          "\r\n",
                                          "\xE2\x80\xA8",
                                          "\xE2\x80",
                                          "\xE2",
                                          "a",
                                          "bc",
                                          std::string(1, '\0'),
                                          "\xC3\xA9",
                                          " ",
                                          "a run longer than a word of eight bytes"};
    std::mt19937 rng(12);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (size_t k = rng() % 12; k > 0; --k)
            text += pieces[rng() % pieces.size()];
        const std::string pane = toPaneText(text);
        ASSERT_EQ(splitPaneLines(text), paneLines(pane)) << round;
    }
    EXPECT_EQ(splitPaneLines("a\r\n\nb\rc\xE2\x80\xA8"),
              (std::vector<std::string_view>{"a", "", "b", "c"}));

    // A side file read for a check: decoded once, the lines pointing into its text, also after a
    // move.
    const auto dir = tempDir();
    const std::string path = (dir / "side.txt").string();
    std::ofstream(path, std::ios::binary) << encodeUtf16LE("x\r\ny\nz", true);
    SideText side = readSideText(path);
    const SideText moved = std::move(side);
    EXPECT_EQ(*moved.text, "x\r\ny\nz");
    EXPECT_EQ(moved.lines, (std::vector<std::string_view>{"x", "y", "z"}));
    EXPECT_EQ(moved.lines[0].data(), moved.text->data());
    EXPECT_THROW(readSideText((dir / "missing.txt").string()), OperationError);
    std::filesystem::remove_all(dir);
}

TEST(FileIo, AtomicWriteReplacesAndReadsBack) {
    const auto dir = tempDir();
    const std::string path = (dir / "out.txt").string();
    writeFileAtomic(path, "first");
    writeFileAtomic(path, "second");
    EXPECT_EQ(readFileBytes(path), "second");
    EXPECT_TRUE(fileExists(path));
    EXPECT_FALSE(fileExists(dir.string()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

TEST(FileIo, FailedSaveLeavesOldFileAndNoTemporary) {
    const auto dir = tempDir();
    const std::string folderTarget = (dir / "sub").string();
    std::filesystem::create_directories(folderTarget);
    EXPECT_THROW(writeFileAtomic(folderTarget, "x"), OperationError);
    EXPECT_THROW(writeFileAtomic((dir / "missing" / "f.txt").string(), "x"), OperationError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    try {
        readFileBytes((dir / "nope.txt").string());
        FAIL();
    } catch (const OperationError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"", 0), 0u);
    }
    EXPECT_THROW(readFileBytes(dir.string()), OperationError);
    std::filesystem::remove_all(dir);
}

TEST(DecodeText, RandomAndTruncatedInputsNeverFail) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(rng() % 64, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng());
        if (round % 3 == 0)
            bytes.insert(0, "\xFF\xFE");
        if (round % 3 == 1)
            bytes.insert(0, "\xFE\xFF");
        const DecodedText d = decodeText(bytes);
        EXPECT_TRUE(isValidUtf8(d.text));
        const TextLines lines = splitRecordLines(d.text);
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].find('\n'), std::string_view::npos);
        // Pane text keeps every character but its line ends, which are all CR LF.
        const std::string pane = toPaneText(d.text);
        for (size_t i = 0; i < pane.size(); ++i) {
            if (pane[i] == '\r') {
                EXPECT_EQ(pane.substr(i, 2), "\r\n");
            }
            if (pane[i] == '\n') {
                EXPECT_TRUE(i > 0 && pane[i - 1] == '\r');
            }
        }
    }
}

TEST(Utf8Window, TakesExactlyTheCharactersAskedFor) {
    struct Case {
        std::string text;
        size_t start, chars;
        std::string expected;
    };
    const Case cases[] = {
        {"abcdef", 0, 3, "abc"},   {"abcdef", 1, 3, "bcd"}, {"abcdef", 1, 5, "bcdef"},
        {"abcdef", 1, 6, "bcdef"}, {"abcdef", 0, 0, ""},    {"abcdef", 6, 2, ""},
        {"дёжз", 0, 2, "дё"},      {"дёжз", 2, 2, "ёж"},    {"aдb", 0, 2, "aд"},
        {"😀😀😀", 0, 2, "😀😀"},       {"😀😀😀", 0, 3, "😀😀😀"},    {"😀😀😀", 0, 4, "😀😀😀"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(utf8Window(c.text, c.start, c.chars)), c.expected)
            << c.text << " from " << c.start << ", " << c.chars;
}
