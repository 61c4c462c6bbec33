#pragma once
// Where velmora-import writes: standard output collected in a large buffer
// and written in pieces (a million bookings must not cost a million writes),
// and standard error for messages, which go out at once.
#include <cstdio>
#include <string>
#include <string_view>

namespace velmora::cli {

class Output {
public:
    explicit Output(std::FILE* file) : file_(file) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // The buffer to append to; call written() after appending.
    std::string& buffer() { return buffer_; }
    // Writes the buffer out once it has grown large.
    void written()
    {
        if (buffer_.size() >= flush_size)
            flush();
    }
    void flush();

private:
    static constexpr std::size_t flush_size = std::size_t{1} << 20;
    std::FILE* file_;
    std::string buffer_;
};

struct Streams {
    Output& out;
    std::FILE* err;
    bool err_is_terminal = false;

    // Writes a message to standard error at once, as it is.
    void tell(std::string_view message) const;
};

}  // namespace velmora::cli
