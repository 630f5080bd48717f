#include "core/TextOutput.h"

#include <cerrno>
#include <cstring>

namespace korvane {

std::string outputFailureText()
{
    return std::string("the output cannot be written: ") + std::strerror(errno);
}

TextOutput::TextOutput(std::FILE* file) : file_(file)
{
    buffer_.reserve(kPiece + 1024);
}

bool TextOutput::handOver()
{
    if (!file_)
        return true;
    // Flushed with each piece, so a failure shows before the next piece is made.
    if (error_.empty()
        && (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() || std::fflush(file_) != 0))
        error_ = outputFailureText();
    buffer_.clear(); // keeps the memory; after a failure, drops the text
    return error_.empty();
}

bool TextOutput::finish()
{
    if (handOver() && file_ && std::ferror(file_))
        error_ = outputFailureText();
    return error_.empty();
}

} // namespace korvane
