#include "vcs/gitsetup.h"

#include "app/errors.h"
#include "records/textfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace aethrian {

namespace {

std::string attributeLine(std::string_view pattern) {
    return std::string(pattern) + " diff=aethrian merge=aethrian";
}

std::string_view trimmedLine(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

struct GitRun {
    int status = 0;
    std::string output; // standard output and error together
};

// Runs git with `args` (no shell in between), its output captured.
GitRun runGit(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw OperationError(std::string("Cannot run git. ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    std::vector<std::string> words{"git"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, "git", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        throw OperationError(std::string("Cannot run git: ") + std::strerror(rc) +
                             ". Is git installed?");
    }
    GitRun run;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        run.output.append(buf, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return run;
}

std::string withoutFinalNewline(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}

} // namespace

std::string withAttributeLines(std::string_view existing, std::vector<std::string>& added) {
    std::vector<std::string_view> present;
    size_t start = 0;
    while (start < existing.size()) {
        size_t end = existing.find('\n', start);
        if (end == std::string_view::npos)
            end = existing.size();
        present.push_back(trimmedLine(existing.substr(start, end - start)));
        start = end + 1;
    }
    const std::string_view eol = existing.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::string text(existing);
    for (std::string_view pattern : kRecordFilePatterns) {
        const std::string line = attributeLine(pattern);
        if (std::find(present.begin(), present.end(), line) != present.end())
            continue;
        if (!text.empty() && text.back() != '\n')
            text += eol;
        text += line;
        text += eol;
        added.push_back(line);
    }
    return text;
}

std::string shellQuoted(std::string_view program) {
    std::string q = "'";
    for (char c : program) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

std::vector<std::pair<std::string, std::string>> gitDriverConfig(const std::string& program) {
    const std::string cli = shellQuoted(program);
    return {{"diff.aethrian.textconv", cli + " textconv"},
            {"merge.aethrian.name", "record-aware merge of server record files"},
            {"merge.aethrian.driver", cli + " merge %O %A %B -o %A --name %P"}};
}

std::vector<std::string> setupGit(const std::string& program, bool global) {
    std::vector<std::string> report;
    const GitRun top = runGit({"rev-parse", "--show-toplevel"});
    if (top.status != 0 && !global)
        throw ExpectedProblem("Not inside a git work tree: run git setup in one, or use --global");
    if (top.status == 0) {
        const std::string path = withoutFinalNewline(top.output) + "/.gitattributes";
        const std::string existing =
            fileExists(path) ? decodeText(readFileBytes(path)).text : std::string();
        std::vector<std::string> added;
        const std::string text = withAttributeLines(existing, added);
        if (!added.empty())
            writeFileAtomic(path, text);
        for (const std::string& line : added)
            report.push_back(path + ": added " + line);
        if (added.empty())
            report.push_back(path + ": already has the record file lines");
    } else {
        report.push_back("not inside a git work tree: no .gitattributes written");
    }
    const std::string scope = global ? "--global" : "--local";
    for (const auto& [key, value] : gitDriverConfig(program)) {
        const GitRun get = runGit({"config", scope, "--get", key});
        if (get.status == 0 && withoutFinalNewline(get.output) == value) {
            report.push_back("git config " + scope + " " + key + ": already set");
            continue;
        }
        const GitRun set = runGit({"config", scope, key, value});
        if (set.status != 0)
            throw OperationError("git config " + scope + " " + key +
                                 " failed: " + withoutFinalNewline(set.output));
        report.push_back("git config " + scope + " " + key + " = " + value);
    }
    return report;
}

} // namespace aethrian
