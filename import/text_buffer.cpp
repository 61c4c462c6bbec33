// Byte storage on malloc/realloc: a large block grows by remapping its pages
// instead of copying them.
#include "import/text_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

namespace velmora::import {

namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;

// Where the system knows no huge pages there is nothing to ask for.
#ifdef MADV_HUGEPAGE
constexpr int huge_page_advice = MADV_HUGEPAGE;
#else
constexpr int huge_page_advice = 0;
#endif

}  // namespace

void advise_huge_pages(void* data, std::size_t size) {
    if (huge_page_advice == 0 || size < 2 * huge_page) return;
    // Only whole huge pages inside the block; the ends stay as they are.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + huge_page - 1) & ~(huge_page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(huge_page - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, huge_page_advice);
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
    advise_huge_pages(data_, capacity_);
}

void TextBuffer::resize(std::size_t new_size) {
    // An exact size: the reader knows how large the text will be.
    if (new_size != capacity_) reallocate(new_size);
    size_ = new_size;
}

}  // namespace velmora::import
