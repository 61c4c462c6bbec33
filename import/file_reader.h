#pragma once
// Reading a transaction file into the line list.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "import/line_list.h"

namespace velmora::import {

enum class ReadStatus { read, missing, unreadable, binary };

struct ReadResult {
    ReadStatus status = ReadStatus::unreadable;
    LineList lines;  // the file's lines when status == read, otherwise empty
};

// Reads the whole file into a fresh line list: bytes decoded into UTF-8 text
// (UTF-16 when the file starts with its byte-order mark, little- or
// big-endian; UTF-8 when it starts with that byte-order mark or is valid
// UTF-8 with at least one multi-byte sequence; otherwise ISO 8859-1 with
// 80-9F read as Windows-1252), NUL bytes dropped, lines split at LF, CR LF
// and lone CR, trailing white space of every line removed. An empty file
// gives one empty line; a final line end adds no empty line. A file that
// exists but is no regular file, cannot be opened or fails while being read
// is `unreadable`; one holding a NUL byte is `binary` (a picture, a PDF,
// random bytes), unless it starts with a UTF-16 byte-order mark. Nothing of
// such a file is returned. `yield` (may be empty) is called after every piece
// of the file read and every lines_per_yield lines, so the caller can keep
// its window alive.
ReadResult read_lines(const std::filesystem::path& file, const std::function<void()>& yield = {});

// What the user is told when a file was not read: "Datei ", the path as shown
// to the user, and " ist nicht vorhanden" or " kann nicht gelesen werden";
// for a binary file "Datei »path« ist keine QIF-Datei (sie enthält Binärdaten)."
std::string read_failure_message(ReadStatus status, std::string_view shown_path);

// The same over bytes already in memory (used by tests and fuzzing).
LineList lines_from_bytes(std::string_view bytes);

}  // namespace velmora::import
