#include "records/textfile.h"

#include "app/errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aethrian {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

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

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// A pipe, socket or device is not a text file: reading one may block or never end, and
// renaming a saved file over one would replace a node of the system.
constexpr int kNotRegularFile = -1;

std::string systemReason(int err) {
    return err == kNotRegularFile ? std::string("Not a regular file") : std::strerror(err);
}

// The temporary file of the save under way, for the signal handler that removes it: a fixed buffer
// and a flag, because a handler may neither allocate nor take a lock.
char pendingTemporary[PATH_MAX + 1];
volatile std::sig_atomic_t pendingTemporarySet = 0;

class PendingTemporary {
public:
    explicit PendingTemporary(const std::string& path) {
        if (path.size() >= sizeof pendingTemporary)
            return; // longer than any path the system opens
        pendingTemporarySet = 0;
        std::atomic_signal_fence(std::memory_order_seq_cst);
        std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        pendingTemporarySet = 1;
    }
    ~PendingTemporary() { pendingTemporarySet = 0; }
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;
};

void onTerminatingSignal(int sig) {
    removePendingTemporary();
    std::signal(sig, SIG_DFL);
    ::raise(sig); // delivered when the handler returns: the program ends as the signal demands
}

// The file a save through the dangling symbolic link `path` creates: the path the chain of links
// ends at. Following it by hand, because the system only resolves links to existing files.
std::string danglingLinkTarget(const std::string& path, int& err) {
    constexpr int kMaxLinks = 40; // the system's own limit before ELOOP
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0)
            return current;
        link.resize(static_cast<size_t>(n));
        if (link.empty() || link[0] == '/') {
            current = link;
        } else {
            // A relative link is relative to the folder that holds it.
            const size_t slash = current.rfind('/');
            current = slash == std::string::npos ? link : current.substr(0, slash + 1) + link;
        }
    }
    err = ELOOP;
    return path;
}

// Flushes the folder's entry list, so the renamed file's new name survives a power cut. Best
// effort: the save itself is complete, and some file systems do not flush folders.
void syncFolderOf(const std::string& file) {
    const size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : file.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

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

TextLines splitRecordLines(std::string text) {
    const size_t nul = text.find('\0');
    std::vector<std::pair<size_t, size_t>> spans;
    spans.reserve(text.size() / 256 + 1);
    const std::string_view t(text);
    const auto isLs = [&](size_t k) { return t.compare(k, 3, "\xE2\x80\xA8") == 0; };
    size_t start = 0;
    size_t i = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (c == '\r' || c == '\n') {
            spans.emplace_back(start, i - start);
            if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n')
                ++i;
            ++i;
            if (i < t.size() && (t[i - 1] == '\n') && isLs(i))
                i += 3;
            start = i;
        } else if (c == '\xE2' && isLs(i)) {
            spans.emplace_back(start, i - start);
            i += 3;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < t.size())
        spans.emplace_back(start, t.size() - start);
    size_t nulLine = 0;
    if (nul != std::string::npos) {
        // A NUL is no line end, so it lies inside the first span that ends beyond it.
        const auto it = std::partition_point(spans.begin(), spans.end(), [nul](const auto& span) {
            return span.first + span.second <= nul;
        });
        nulLine = static_cast<size_t>(it - spans.begin()) + 1;
    }
    return TextLines(std::move(text), std::move(spans), nulLine);
}

std::string nulLineText(size_t line) {
    return "Line " + std::to_string(line) + " holds a NUL character";
}

std::string toPaneText(std::string_view text) {
    // Unlike a record file, a pane keeps every character, a NUL included: saving a pane must not
    // drop what follows one.
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else if (c == '\xE2' && text.compare(i, 3, "\xE2\x80\xA8") == 0) {
            out += "\r\n";
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> paneLines(std::string_view paneText) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < paneText.size()) {
        const size_t end = paneText.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(paneText.substr(start));
            break;
        }
        lines.push_back(paneText.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string_view> splitPaneLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 64 + 1);
    const size_t n = text.size();
    size_t start = 0;
    size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += c == '\r' && i + 1 < n && text[i + 1] == '\n' ? 2 : 1;
            start = i;
        } else if (c == '\xE2' && text.compare(i, 3, "\xE2\x80\xA8") == 0) {
            lines.push_back(text.substr(start, i - start));
            i += 3;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.push_back(text.substr(start));
    return lines;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::uint64_t fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

std::string readFileBytes(const std::string& path) {
    const auto fail = [&](int err) -> OperationError {
        return OperationError("Cannot open file \"" + path + "\". " + systemReason(err));
    };
    // Non-blocking, so opening a FIFO returns at once and is refused below instead of waiting
    // for a writer; a regular file reads the same either way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw fail(errno);
    struct stat st {};
    const bool statFailed = ::fstat(fd, &st) != 0;
    if (statFailed || !S_ISREG(st.st_mode)) {
        const int err = statFailed ? errno : S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
        ::close(fd);
        throw fail(err);
    }
    std::string bytes(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0), '\0');
    size_t got = 0;
    char buf[1 << 16];
    for (;;) {
        // Straight into the string while the file is as large as stat said; beyond, in chunks.
        const bool direct = got < bytes.size();
        char* dst = direct ? bytes.data() + got : buf;
        const size_t room = direct ? bytes.size() - got : sizeof buf;
        const ssize_t n = ::read(fd, dst, room);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            throw fail(err);
        }
        if (n == 0)
            break;
        if (direct)
            got += static_cast<size_t>(n);
        else {
            bytes.append(buf, static_cast<size_t>(n));
            got = bytes.size();
        }
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

void writeFileAtomic(const std::string& path, std::string_view bytes) {
    const auto fail = [&](int err) -> OperationError {
        return OperationError("Cannot create file \"" + path + "\". " + systemReason(err));
    };
    if (path.empty())
        throw fail(ENOENT);
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (!exists && errno == ELOOP)
        throw fail(ELOOP);
    if (exists && S_ISDIR(target.st_mode))
        throw fail(EISDIR);
    if (exists && !S_ISREG(target.st_mode))
        throw fail(kNotRegularFile);
    // Through a symbolic link the file it names is replaced, not the link; also when that file
    // does not exist yet, so a dangling link is not replaced by a file of its own.
    std::string real = path;
    if (exists) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            real = resolved;
            std::free(resolved);
        }
    } else {
        int err = 0;
        real = danglingLinkTarget(path, err);
        if (err != 0)
            throw fail(err);
    }

    // The temporary's name must itself be legal: a target name near the length limit is cut
    // short for it.
    constexpr std::string_view kSuffix = ".tmp-XXXXXX";
    constexpr size_t kNameMax = 255;
    const size_t slash = real.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string tmp = real.substr(0, nameStart + std::min(real.size() - nameStart,
                                                          kNameMax - kSuffix.size()));
    tmp += kSuffix;
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        throw fail(errno);
    const PendingTemporary pending(tmp);
    const auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw fail(err);
    };
    if (exists) {
        // The saved file keeps its owner and group where the process may set them; a user who may
        // not give a file away saves it as their own, which is no error. Set-user-ID and
        // set-group-ID bits are dropped: a data file written by this program must not carry them.
        if (::fchown(fd, target.st_uid, target.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), target.st_gid) != 0) {
        }
        ::fchmod(fd, target.st_mode & 07777 & ~static_cast<mode_t>(S_ISUID | S_ISGID));
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandon(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw fail(err);
    }
    if (::rename(tmp.c_str(), real.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw fail(err);
    }
    syncFolderOf(real);
}

void removePendingTemporary() noexcept {
    if (pendingTemporarySet)
        ::unlink(pendingTemporary);
}

void protectSavesFromSignals() {
    // A file-size limit or a closed pipe then fails the write with EFBIG or EPIPE, which the
    // writer reports and cleans up after, instead of ending the program on the spot.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
            continue; // ignored by whoever started the program (a background job): stays so
        struct sigaction action {};
        action.sa_handler = onTerminatingSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(sig, &action, nullptr);
    }
}

TextLines ReadRecordLines(const std::string& path) {
    std::string text;
    {
        const std::string bytes = readFileBytes(path);
        text = decodeText(bytes).text;
    }
    return splitRecordLines(std::move(text));
}

std::string readPaneFile(const std::string& path) {
    return toPaneText(decodeText(readFileBytes(path)).text);
}

SideText readSideText(const std::string& path) {
    SideText side;
    side.text = std::make_unique<const std::string>(decodeText(readFileBytes(path)).text);
    side.lines = splitPaneLines(*side.text);
    return side;
}

void writePaneFile(const std::string& path, std::string_view paneText) {
    writeFileAtomic(path, encodeUtf16LE(paneText, true));
}

} // namespace aethrian
