#pragma once
// The file that holds the record of what was sent. A sender holds it locked
// (flock) from before its first booking until it ends, so that two senders
// never interleave; a preview only reads it and never waits. Every line is
// on the disk (fsync) before append() returns.
//
// Its text is read into memory in one piece, never mapped: a mapped file that
// someone cuts short meanwhile ends the program with a bus error at the first
// look behind its new end, where reading just gives less.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace velmora::record {

// The record cannot be read or written; the message names the file and why.
class RecordFileError : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// Another velmora-import holds the record: it is sending right now.
class RecordBusy : public RecordFileError {
public:
    using RecordFileError::RecordFileError;
};

class RecordFile {
public:
    // Creates the file and its folder when missing and writes the header;
    // takes the lock or throws RecordBusy at once. Both refuse a file that
    // does not start with the record's header.
    static RecordFile ForWriting(const std::filesystem::path& file);
    // Only to read; a missing file is an empty record. Takes no lock, but
    // notes whether a sender holds one.
    static RecordFile ForLooking(const std::filesystem::path& file);

    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&&) = delete;
    ~RecordFile();

    // The record's text as it was when the file was opened; valid as long as
    // this file, also after it is moved.
    std::string_view content() const { return content_; }
    // Appends whole lines in one write and waits until they are on the disk.
    void append(std::string_view lines) const;

    const std::filesystem::path& path() const { return path_; }
    // Opened to look at while another velmora-import sends with it.
    bool heldBySender() const { return held_by_sender_; }

private:
    RecordFile(std::filesystem::path path, int descriptor);
    [[noreturn]] void fail(std::string_view what) const;
    void readContent();
    void checkHeader() const;

    std::filesystem::path path_;
    int descriptor_ = -1;
    std::unique_ptr<char[]> text_;  // stays where it is when the file is moved
    std::string_view content_;      // into text_
    bool held_by_sender_ = false;
};

}  // namespace velmora::record
