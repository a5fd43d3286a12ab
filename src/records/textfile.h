#pragma once

// Reading and writing files: whole-file reads, atomic saves and their protection from signals,
// and the record, pane and side file reads built on the decoding and line splitting.
#include "records/textdecode.h"
#include "records/textlines.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

bool fileExists(const std::string& path); // a regular file (a folder is not a file)
std::uint64_t fileSize(const std::string& path);
// Whole file; failure throws OperationError "Cannot open file "<path>". <reason>".
std::string readFileBytes(const std::string& path);
// Writes beside the target, flushes, renames over it and flushes the folder. On failure the old
// file is untouched, the temporary is removed and OperationError "Cannot create file "<path>".
// <reason>" is thrown. An existing target keeps its owner and group (where allowed) and its mode
// without set-user-ID and set-group-ID bits. Through a symbolic link, also a dangling one, the
// file it names is written; a link loop is refused.
void writeFileAtomic(const std::string& path, std::string_view bytes);
// Removes the temporary file of the save under way, if any. Async-signal-safe.
void removePendingTemporary() noexcept;
// For a program's start: SIGXFSZ and SIGPIPE are ignored, so a file-size limit or a closed pipe
// fails the write instead of killing the program; SIGINT, SIGTERM and SIGHUP (unless ignored)
// remove a save's temporary file and then end the program as they would have.
void protectSavesFromSignals();

// The record file at `path` as lines (decodeText then splitRecordLines).
TextLines ReadRecordLines(const std::string& path);
// A side file for a text pane (decodeText then toPaneText).
std::string readPaneFile(const std::string& path);
// A side file read for a check or a tool: the decoded text and its pane lines (splitPaneLines).
// The text is held by pointer, so the lines stay valid when the whole moves.
struct SideText {
    std::unique_ptr<const std::string> text;
    std::vector<std::string_view> lines;
};
// decodeText then splitPaneLines; a file that cannot be read throws as readFileBytes does.
SideText readSideText(const std::string& path);
// Pane text saved as UTF-16LE with mark, unchanged.
void writePaneFile(const std::string& path, std::string_view paneText);

} // namespace aethrian
