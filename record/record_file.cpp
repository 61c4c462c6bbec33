#include "record/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/system_error_text.h"
#include "record/sent_record.h"

namespace velmora::record {

namespace {

[[noreturn]] void failWith(const std::filesystem::path& path, std::string_view what, int error)
{
    throw RecordFileError("Das Protokoll " + path.string() + " lässt sich nicht " + std::string(what) + ": "
                          + platform::SystemErrorText(error) + ".");
}

// On macOS fsync leaves the data in the drive's cache; only F_FULLFSYNC
// waits until it is written.
int syncToDisk(int descriptor)
{
#ifdef F_FULLFSYNC
    if (fcntl(descriptor, F_FULLFSYNC) == 0)
        return 0;
#endif
    return fsync(descriptor);
}

std::string_view kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "ein Ordner";
    if (S_ISFIFO(mode))
        return "eine benannte Pipe (FIFO)";
    if (S_ISSOCK(mode))
        return "ein Socket";
    return "ein Gerät";
}

[[noreturn]] void refuseKind(const std::filesystem::path& path, mode_t mode)
{
    throw RecordFileError("Das Protokoll " + path.string() + " ist keine gewöhnliche Datei, sondern "
                          + std::string(kindOf(mode)) + ". Bitte mit --protokoll eine Datei nennen.");
}

// A record is a regular file, or not there yet (a symbolic link to a regular
// file counts as one). Anything else is refused before it is opened: opening a
// FIFO would wait for a writer, and a device such as /dev/zero never ends.
void refuseWhatIsNoFile(const std::filesystem::path& path)
{
    struct stat status = {};
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        refuseKind(path, status.st_mode);
}

// What was opened is the file looked at before, not something put in its place.
void refuseOpenedNoFile(const std::filesystem::path& path, int descriptor)
{
    struct stat status = {};
    if (fstat(descriptor, &status) == 0 && !S_ISREG(status.st_mode)) {
        close(descriptor);
        refuseKind(path, status.st_mode);
    }
}

// Never blocks on opening, whatever the path turned into; then blocks as usual.
int openWithoutWaiting(const std::filesystem::path& path, int flags)
{
    const int descriptor = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return descriptor;
    refuseOpenedNoFile(path, descriptor);
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

}  // namespace

RecordFile::RecordFile(std::filesystem::path path, int descriptor) : path_(std::move(path)), descriptor_(descriptor) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)), descriptor_(other.descriptor_), text_(std::move(other.text_)),
      content_(other.content_), held_by_sender_(other.held_by_sender_)
{
    other.descriptor_ = -1;
    other.content_ = {};
}

RecordFile::~RecordFile()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

RecordFile RecordFile::ForWriting(const std::filesystem::path& file)
{
    refuseWhatIsNoFile(file);
    std::error_code error;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        failWith(file, "anlegen", error.value());
    const int descriptor = openWithoutWaiting(file, O_RDWR | O_CREAT | O_APPEND);
    if (descriptor < 0)
        failWith(file, "zum Schreiben öffnen", errno);
    RecordFile record(file, descriptor);
    if (flock(record.descriptor_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            throw RecordBusy("Ein anderes velmora-import sendet gerade; es hält das Protokoll " + file.string()
                             + ". Bitte warten, bis es fertig ist.");
        record.fail("sperren");
    }
    record.readContent();
    record.checkHeader();
    if (record.content_.empty())
        record.append(record_header);
    else if (record.content_.back() != '\n')
        record.append("\n");  // the cut line of a crash stays a line of its own
    return record;
}

RecordFile RecordFile::ForLooking(const std::filesystem::path& file)
{
    refuseWhatIsNoFile(file);
    const int descriptor = openWithoutWaiting(file, O_RDONLY);
    if (descriptor < 0 && errno != ENOENT)
        failWith(file, "öffnen", errno);
    RecordFile record(file, descriptor);
    if (descriptor < 0)
        return record;
    // Only asked, never kept: a shared lock held through a preview would
    // refuse a sender that starts meanwhile.
    if (flock(descriptor, LOCK_SH | LOCK_NB) == 0)
        flock(descriptor, LOCK_UN);
    else
        record.held_by_sender_ = errno == EWOULDBLOCK;
    record.readContent();
    record.checkHeader();
    return record;
}

// Only what the file held when it was opened: lines another sender appends
// meanwhile are no part of it, and the reading always ends. A file cut short
// meanwhile gives what is left of it.
void RecordFile::readContent()
{
    struct stat status = {};
    if (fstat(descriptor_, &status) != 0)
        fail("lesen");
    const auto size = static_cast<std::size_t>(status.st_size);
    text_ = std::make_unique_for_overwrite<char[]>(size);  // a record of years is not first filled with zeros
    std::size_t read_so_far = 0;
    while (read_so_far < size) {
        const ssize_t got = pread(descriptor_, text_.get() + read_so_far, size - read_so_far,
                                  static_cast<off_t>(read_so_far));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("lesen");
        if (got == 0)
            break;
        read_so_far += static_cast<std::size_t>(got);
    }
    content_ = {text_.get(), read_so_far};
}

// A file that does not start as a record does is someone's other file: a
// wrong --protokoll must never write into it.
void RecordFile::checkHeader() const
{
    if (!content_.empty() && !content_.starts_with(record_header))
        throw RecordFileError("Die Datei " + path_.string()
                              + " ist kein Protokoll von velmora-import: Ihre erste Zeile ist nicht dessen Kopfzeile.");
}

void RecordFile::append(std::string_view lines) const
{
    while (!lines.empty()) {
        const ssize_t written = write(descriptor_, lines.data(), lines.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            fail("schreiben");
        lines.remove_prefix(static_cast<std::size_t>(written));
    }
    while (syncToDisk(descriptor_) != 0)
        if (errno != EINTR)
            fail("auf die Platte schreiben");
}

void RecordFile::fail(std::string_view what) const
{
    failWith(path_, what, errno);
}

}  // namespace velmora::record
