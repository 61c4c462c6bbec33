#pragma once
// A growable block of bytes that can change size without first copying its
// contents: a file of 85 MB is read into it, decoded in place and kept as the
// line list's text, so a second copy of the file never exists. It cannot be
// copied, so that no copy comes about unnoticed either.
#include <cstddef>
#include <string_view>

namespace velmora::import {

class TextBuffer {
public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer& operator=(TextBuffer&& other) noexcept;
    ~TextBuffer();

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {data_, size_}; }

    // New bytes are left uninitialised; the contents up to the smaller size stay.
    // Throws std::bad_alloc when memory runs out.
    void resize(std::size_t new_size);

private:
    void reallocate(std::size_t new_capacity);

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Asks the system to back a large block with huge pages where it can: a file
// of 85 MB then costs a few dozen page faults instead of twenty thousand.
void advise_huge_pages(void* data, std::size_t size);

}  // namespace velmora::import
