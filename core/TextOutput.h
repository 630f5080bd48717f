#pragma once

#include <cstdio>
#include <string>

namespace korvane {

// The words for a failed write to an output, with the reason errno gives:
// "the output cannot be written: No space left on device".
std::string outputFailureText();

// One buffer that text is appended to, handed to a file in large pieces with
// every write checked, or kept in memory. After a failed write the rest is
// dropped, and every later step reports the same failure: a full disk or a
// closed pipe ends the output instead of leaving it silently cut short.
class TextOutput {
public:
    // Text for `file`, which stays open and the caller's.
    explicit TextOutput(std::FILE* file);
    // Text kept in memory, read with text().
    TextOutput() = default;

    // The text gathered and not yet handed to the file: writers append to
    // it, then call settle().
    std::string& text() { return buffer_; }

    // Hands the gathered text to the file once it fills a piece. False once
    // any write has failed.
    bool settle() { return buffer_.size() < kPiece ? error_.empty() : handOver(); }
    // Hands the rest to the file and flushes it. False once any write has
    // failed.
    bool finish();
    // Why a write failed; empty while none has.
    const std::string& error() const { return error_; }

private:
    static constexpr size_t kPiece = 1 << 16;

    bool handOver();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::string error_;
};

} // namespace korvane
