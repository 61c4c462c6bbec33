#include "app/cli/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "app/cli/sent_record.h"

namespace velmora::cli {

namespace {

[[noreturn]] void failWith(const std::filesystem::path& path, std::string_view what, int error)
{
    throw RecordFileError("Das Protokoll " + path.string() + " lässt sich nicht " + std::string(what) + ": "
                          + std::strerror(error));
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

// Linux can fill the mapping at once instead of page by page; elsewhere the
// pages come as they are read.
#ifdef MAP_POPULATE
constexpr int map_at_once = MAP_POPULATE;
#else
constexpr int map_at_once = 0;
#endif

}  // namespace

RecordFile::RecordFile(std::filesystem::path path, int descriptor) : path_(std::move(path)), descriptor_(descriptor) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)), descriptor_(other.descriptor_), content_(other.content_),
      mapping_(other.mapping_), read_(std::move(other.read_))
{
    other.descriptor_ = -1;
    other.mapping_ = nullptr;
    other.content_ = {};
}

RecordFile::~RecordFile()
{
    if (mapping_ != nullptr)
        munmap(mapping_, content_.size());
    if (descriptor_ >= 0)
        close(descriptor_);
}

RecordFile RecordFile::ForWriting(const std::filesystem::path& file)
{
    std::error_code error;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        failWith(file, "anlegen", error.value());
    const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
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
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 && errno != ENOENT)
        failWith(file, "öffnen", errno);
    RecordFile record(file, descriptor);
    if (descriptor < 0)
        return record;
    record.readContent();
    record.checkHeader();
    return record;
}

void RecordFile::readContent()
{
    if (mapContent())
        return;
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t got = pread(descriptor_, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("lesen");
        if (got == 0)
            return;
        read_.insert(read_.end(), buffer, buffer + got);
        content_ = {read_.data(), read_.size()};
        offset += got;
    }
}

// A record is only appended to, and a sender holds it locked: the mapped
// text stays as it was while this program reads it.
bool RecordFile::mapContent()
{
    struct stat status {};
    if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0)
        return false;
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | map_at_once, descriptor_, 0);
    if (mapped == MAP_FAILED)
        return false;
    mapping_ = mapped;
    content_ = {static_cast<const char*>(mapped), size};
    return true;
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

}  // namespace velmora::cli
