// Hostile files and failing disks: each gives the described behaviour or a clear error, in
// bounded time and memory, and a failed save leaves the previous file byte for byte.
#include "app/errors.h"
#include "editing/valuechange.h"
#include "rates/listratio.h"
#include "records/droplist.h"
#include "records/tableio.h"
#include "records/textfile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace aethrian;
namespace fs = std::filesystem;

namespace {

class HostileFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("aeth-hostile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::all);
        fs::remove_all(dir);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = (dir / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Only the named file is in the folder: no temporary left behind.
    size_t entries() { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

    fs::path dir;
};

const std::string kLine = "npc_begin\twarrior\t1\t[orc]\tlevel=5\texp=7\tnpc_end\n";

// Runs `fn` in a child process and returns its exit status.
template <class F> int inChild(F fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

} // namespace

TEST_F(HostileFiles, EmptyFolderVanishingAndOddText) {
    Table t;
    LoadTableFile(write("empty.txt", ""), kNpcKind, t);
    EXPECT_EQ(t.rowCount(), 1u);
    EXPECT_EQ(readPaneFile(write("empty2.txt", "")), "");

    t.setCell(0, 1, "kept");
    EXPECT_THROW(LoadTableFile(dir.string(), kNpcKind, t), ExpectedProblem); // a folder
    EXPECT_THROW(readPaneFile(dir.string()), OperationError);
    EXPECT_EQ(t.cell(0, 1), "kept");

    const std::string gone = write("gone.txt", kLine);
    ASSERT_TRUE(fileExists(gone));
    fs::remove(gone); // between choosing and loading
    EXPECT_THROW(ReadRecordLines(gone), OperationError);

    // Odd-length UTF-16, lone surrogates and a NUL in the middle decode to valid UTF-8.
    const std::string odd = std::string("\xFF\xFE"
                                        "a\0b\0\x00\xD8"
                                        "c\0\x00\xDC"
                                        "d",
                                        13);
    EXPECT_TRUE(isValidUtf8(decodeText(odd).text));
}

// A NUL once ended the text: every record after it was dropped and Save wrote the shortened file.
// Now it is a character of its line, written back as it was, and the load names its line.
TEST_F(HostileFiles, ANulIsKeptAndNamed) {
    using namespace std::string_literals;
    const std::string nulRecord = "npc_begin\tw\t2\t[b]\tlevel=1\0x\texp=3\tnpc_end\r\n"s;
    const std::string text = "npc_begin\tw\t1\t[a]\tlevel=1\texp=2\tnpc_end\r\n" + nulRecord +
                             std::string(kLine.begin(), kLine.end() - 1) + "\r\n";
    for (const std::string& bytes : {text, encodeUtf16LE(text, true)}) {
        const std::string path = write("nul.txt", bytes);
        Table t;
        const LoadReport report = LoadTableFile(path, kNpcKind, t);
        EXPECT_EQ(report.records, 3u);
        EXPECT_EQ(report.nulLine, 2u);
        EXPECT_EQ(nulLineText(report.nulLine), "Line 2 holds a NUL character");
        EXPECT_EQ(t.cell(2, 4), "1\0x"s);
        SaveTable(t, kNpcKind, ',', path);
        EXPECT_EQ(read(path), encodeUtf16LE(text, true));
    }
    Table clean;
    EXPECT_EQ(LoadTableFile(write("clean.txt", kLine), kNpcKind, clean).nulLine, 0u);
}

TEST_F(HostileFiles, RandomBytesAndAFileThatBecomesUnreadable) {
    // A megabyte of random bytes loads as whatever records it happens to hold, with clean cells.
    std::string noise(1u << 20, '\0');
    uint32_t x = 2463534242u;
    for (char& c : noise) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    const std::string path = write("noise.txt", noise);
    for (const RecordKind& kind : {kNpcKind, kItemKind}) {
        Table t;
        EXPECT_NO_THROW(LoadTableFile(path, kind, t));
        for (size_t r = 0; r < t.rowCount(); ++r)
            for (size_t c = 0; c < t.colCount(); ++c)
                EXPECT_EQ(t.cell(r, c).find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_TRUE(isValidUtf8(readPaneFile(path)));

    // Readable when chosen, unreadable when loaded: the open error, the table untouched.
    const std::string locked = write("locked.txt", kLine);
    fs::permissions(locked, fs::perms::none);
    const int status = inChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 3;
        Table t;
        t.setCell(0, 1, "kept");
        try {
            LoadTableFile(locked, kNpcKind, t);
        } catch (const OperationError& e) {
            return std::string(e.what()).starts_with("Cannot open file") && t.cell(0, 1) == "kept"
                       ? 0
                       : 2;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(HostileFiles, HugeLineHugeRecordAndDeepLists) {
    // A 100 MB line without line end: read, split, no record.
    std::string huge(100u << 20, 'a');
    const std::string path = write("huge.txt", huge);
    std::string().swap(huge);
    Table t;
    EXPECT_EQ(LoadTableFile(path, kNpcKind, t).records, 0u);
    fs::remove(path);

    // A record of 100,000 fields loads and saves.
    std::string fields;
    for (int i = 0; i < 100000; ++i)
        fields += "k" + std::to_string(i) + "=" + std::to_string(i) + "\t";
    Table wide;
    LoadTable(splitRecordLines("npc_begin\tw\t1\t[a]\tlevel=1\t" + fields + "npc_end"), kNpcKind,
              wide);
    EXPECT_EQ(wide.colCount(), 4u + 100001u);
    EXPECT_FALSE(EncodeTable(wide, kNpcKind, ',').empty());

    // 200,000 TABs without "=": every field scan stays within its field.
    Table tabs;
    LoadTable(splitRecordLines("npc_begin\tw\t1\t[a]\tlevel=1" + std::string(200000, '\t') +
                               "x=1\tnpc_end"),
              kNpcKind, tabs);
    EXPECT_EQ(tabs.colCount(), 4u + 200001u);

    // 10,000 nested braces through the list readers.
    const std::string deep = std::string(10000, '{') + "[a];1;1;5" + std::string(10000, '}');
    EXPECT_EQ(scanDropEntries(deep).size(), 1u);
    ChangeSettings s;
    s.factor = 2;
    VectorLog log;
    EXPECT_NO_THROW(rewriteFlatList(deep, s, "1", log));
    EXPECT_NO_THROW(rewriteGroupedList(deep, s, "1", log));
    EXPECT_NO_THROW(listRatioText(deep, deep, ','));
}

TEST_F(HostileFiles, FailedSavesLeaveTheOldFileAndNoTemporary) {
    Table table;
    LoadTable(splitRecordLines(kLine), kNpcKind, table);
    const std::string target = write("npcdata.txt", "old contents");

    // A FIFO is refused at once instead of blocking the read.
    const std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(readFileBytes(fifo), OperationError);
    EXPECT_THROW(SaveTable(table, kNpcKind, ',', fifo), OperationError);
    fs::remove(fifo);

    // Through a symbolic link the linked file is replaced, and the link stays.
    fs::create_symlink(target, dir / "link.txt");
    SaveTable(table, kNpcKind, ',', (dir / "link.txt").string());
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_NE(read(target), "old contents");
    fs::remove(dir / "link.txt");
    std::ofstream(target, std::ios::binary) << "old contents";

    // Onto a path that is a folder.
    fs::create_directory(dir / "folder");
    EXPECT_THROW(SaveTable(table, kNpcKind, ',', (dir / "folder").string()), OperationError);
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    fs::remove(dir / "folder");

    // Cut short by a write error: a file-size limit in a child process, protected as the programs
    // protect themselves at start (SIGXFSZ would otherwise end the process mid-write).
    Table big = table;
    for (int i = 0; i < 2000; ++i)
        big.appendRow(table.row(1));
    const std::string tooLarge = "Cannot create file \"" + target + "\". " + std::strerror(EFBIG);
    const int status = inChild([&] {
        protectSavesFromSignals();
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SaveTable(big, kNpcKind, ',', target);
        } catch (const OperationError& e) {
            return e.what() == tooLarge ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(target), "old contents");
    EXPECT_EQ(entries(), 1u);

    // Into a folder the user may not write (run as an unprivileged user when the tests are root).
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    const int denied = inChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 3;
        try {
            SaveTable(table, kNpcKind, ',', target);
        } catch (const OperationError&) {
            return 0;
        }
        return 1;
    });
    fs::permissions(dir, fs::perms::all);
    EXPECT_EQ(denied, 0);
    EXPECT_EQ(read(target), "old contents");
    EXPECT_EQ(entries(), 1u);
}

// A save replaces the file's inode: what the old one carried (owner, group, mode) is put back,
// except set-user-ID and set-group-ID bits, which a data file must not get from this program.
TEST_F(HostileFiles, SavesKeepOwnerGroupAndModeWithoutSetIdBits) {
    Table table;
    LoadTable(splitRecordLines(kLine), kNpcKind, table);
    const std::string target = write("npcdata.txt", "old contents");
    ASSERT_EQ(::chmod(target.c_str(), 06754), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    }
    SaveTable(table, kNpcKind, ',', target);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0754u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);

        // A user who may not give the file back to its owner saves it as their own, without error.
        ASSERT_EQ(::chown(target.c_str(), 0, 0), 0);
        ::chmod(dir.c_str(), 0777);
        const int status = inChild([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                return 3;
            try {
                SaveTable(table, kNpcKind, ',', target);
            } catch (const OperationError&) {
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(status, 0);
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
    }
    EXPECT_EQ(entries(), 1u);
}

TEST_F(HostileFiles, DanglingLinksAreWrittenThroughAndLoopsRefused) {
    Table table;
    LoadTable(splitRecordLines(kLine), kNpcKind, table);
    // A relative link to a file not there yet, reached through a second link: the file is created
    // where the chain ends, and both links stay.
    fs::create_symlink("new.txt", dir / "link.txt");
    fs::create_symlink(dir / "link.txt", dir / "outer.txt");
    SaveTable(table, kNpcKind, ',', (dir / "outer.txt").string());
    EXPECT_TRUE(fs::is_symlink(dir / "outer.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(read((dir / "new.txt").string()), EncodeTable(table, kNpcKind, ','));

    // Two links naming each other: the loop's error, both links as they were, no temporary.
    fs::create_symlink("b.txt", dir / "a.txt");
    fs::create_symlink("a.txt", dir / "b.txt");
    try {
        SaveTable(table, kNpcKind, ',', (dir / "a.txt").string());
        ADD_FAILURE() << "a link loop was saved through";
    } catch (const OperationError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + (dir / "a.txt").string() +
                                             "\". " + std::strerror(ELOOP));
    }
    EXPECT_EQ(fs::read_symlink(dir / "a.txt"), "b.txt");
    EXPECT_EQ(fs::read_symlink(dir / "b.txt"), "a.txt");
    EXPECT_EQ(entries(), 5u);
}

// SIGTERM arriving while the temporary is being written: the handler removes it, then the signal
// ends the process as it would have. The file-size limit stops the write at a known point, and
// its signal's handler sends the SIGTERM from there.
TEST_F(HostileFiles, ATerminatingSignalDuringASaveRemovesTheTemporary) {
    Table big;
    LoadTable(splitRecordLines(kLine), kNpcKind, big);
    for (int i = 0; i < 2000; ++i)
        big.appendRow(big.row(1));
    const std::string target = write("npcdata.txt", "old contents");
    const pid_t pid = ::fork();
    if (pid == 0) {
        protectSavesFromSignals();
        std::signal(SIGXFSZ, [](int) { ::raise(SIGTERM); });
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SaveTable(big, kNpcKind, ',', target);
        } catch (const OperationError&) {
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(read(target), "old contents");
    EXPECT_EQ(entries(), 1u);
}
