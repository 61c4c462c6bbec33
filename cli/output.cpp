#include "cli/output.h"

namespace velmora::cli {

void Output::flush()
{
    std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    std::fflush(file_);
    buffer_.clear();
}

void Streams::tell(std::string_view message) const
{
    std::fwrite(message.data(), 1, message.size(), err);
    std::fflush(err);
}

}  // namespace velmora::cli
