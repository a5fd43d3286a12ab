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
