// Reading a file's bytes whole, then handing them to the line splitter.
#include "import/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "import/line_splitting.h"
#include "import/utf16_decoding.h"

namespace velmora::import {

namespace {

// Big enough to keep system calls few, small enough to yield often.
constexpr std::size_t read_piece = std::size_t{16} << 20;

// Opening never waits: a pipe or device is refused below, not read.
class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool means_missing(int error) { return error == ENOENT || error == ENOTDIR; }

// Room kept in front of the bytes for what decoding adds: Latin-1 letters
// outside ASCII take two bytes in UTF-8, and German text has a few in a hundred.
std::size_t decoding_room(std::size_t size) { return size / 16; }

// All bytes up to the end of the file, behind decoding_room() bytes of room,
// or nothing when a read fails. The size known at the start is only a hint:
// the file may grow or shrink meanwhile.
std::optional<TextBuffer> read_all(int fd, std::size_t start, std::size_t expected_size,
                                   const std::function<void()>& yield) {
    TextBuffer bytes;
    bytes.resize(start + expected_size + 1);  // one spare byte shows the end without another pass
    std::size_t filled = start;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const std::size_t want = std::min(read_piece, bytes.size() - filled);
        const ssize_t got = ::read(fd, bytes.data() + filled, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (yield) yield();
    }
    bytes.resize(filled);
    return bytes;
}

// Text never holds a NUL byte, except in UTF-16, whose files start with a mark.
bool holds_binary_data(std::string_view bytes) {
    return !utf16_byte_order(bytes) && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr;
}

}  // namespace

ReadResult read_lines(const std::filesystem::path& file, const std::function<void()>& yield) {
    const OpenFile open_file(file);
    if (open_file.fd() < 0) return {means_missing(errno) ? ReadStatus::missing : ReadStatus::unreadable, {}};
    struct stat info {};
    if (::fstat(open_file.fd(), &info) != 0 || !S_ISREG(info.st_mode)) return {ReadStatus::unreadable, {}};
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::size_t start = decoding_room(size);
    auto bytes = read_all(open_file.fd(), start, size, yield);
    if (!bytes) return {ReadStatus::unreadable, {}};
    if (holds_binary_data(bytes->view().substr(start))) return {ReadStatus::binary, {}};
    return {ReadStatus::read, split_lines(std::move(*bytes), start, yield)};
}

std::string read_failure_message(ReadStatus status, std::string_view shown_path) {
    if (status == ReadStatus::binary)
        return "Datei »" + std::string(shown_path) + "« ist keine QIF-Datei (sie enthält Binärdaten).";
    const std::string_view why = status == ReadStatus::missing ? " ist nicht vorhanden" : " kann nicht gelesen werden";
    return "Datei " + std::string(shown_path) + std::string(why);
}

LineList lines_from_bytes(std::string_view bytes) {
    TextBuffer buffer;
    buffer.resize(bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    return split_lines(std::move(buffer), 0);
}

}  // namespace velmora::import
