// Byte storage on malloc/realloc: a large block grows by remapping its pages
// instead of copying them.
#include "import/text_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace velmora::import {

TextBuffer::TextBuffer(const TextBuffer& other) { append(other.view()); }

TextBuffer& TextBuffer::operator=(const TextBuffer& other) {
    if (this != &other) {
        TextBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TextBuffer::TextBuffer(TextBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

TextBuffer& TextBuffer::operator=(TextBuffer&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

TextBuffer::~TextBuffer() { std::free(data_); }

void TextBuffer::reallocate(std::size_t new_capacity) {
    // realloc(p, 0) may free p; keep at least one byte so data_ stays ours.
    void* grown = std::realloc(data_, new_capacity == 0 ? 1 : new_capacity);
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = new_capacity;
}

void TextBuffer::resize(std::size_t new_size) {
    // An exact size: the reader knows how large the text will be.
    if (new_size != capacity_) reallocate(new_size);
    size_ = new_size;
}

void TextBuffer::append(std::string_view bytes) {
    if (bytes.empty()) return;
    const std::size_t needed = size_ + bytes.size();
    if (needed > capacity_) reallocate(needed > 2 * capacity_ ? needed : 2 * capacity_);
    std::memcpy(data_ + size_, bytes.data(), bytes.size());
    size_ = needed;
}

}  // namespace velmora::import
