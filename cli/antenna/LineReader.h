// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Reading JSON Lines input in large blocks, line by line, without a limit on
// what the input holds: any byte, any line length (a line beyond the cap is
// reported as too long and skipped, without being kept in memory).
namespace eh::cli {

// Where the bytes come from.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Reads up to `size` bytes; 0 at the end of the input (or on an error).
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A C++ stream (a string stream in tests and benchmarks).
class StreamInput final : public InputSource {
public:
    explicit StreamInput(std::istream& in) : in_(in) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::istream& in_;
};

// A file descriptor, read with read(2): returns whatever is available, so
// a caller that talks to the tool line by line over a pipe gets its answers.
class FileDescriptorInput final : public InputSource {
public:
    explicit FileDescriptorInput(int fd) : fd_(fd) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    int fd_;
};

class LineReader {
public:
    // `beforeBlocking` is called before every read from the source, that is
    // whenever the lines already read have all been handed out: the batch
    // writes its output then.
    LineReader(InputSource& source, std::size_t maxLineBytes, std::size_t blockBytes = 1 << 20);

    // The next line without its line feed (a CR before it is kept: JSON sees
    // it as white space). False at the end of the input. `tooLong` is set
    // when the line had more than maxLineBytes bytes; `line` then holds only
    // its start.
    template <typename BeforeBlocking>
    bool Next(std::string& line, bool& tooLong, BeforeBlocking&& beforeBlocking)
    {
        line.clear();
        tooLong = false;
        bool readAny = false;
        for (;;) {
            if (pos_ == end_) {
                if (atEnd_)
                    return readAny;
                beforeBlocking();
                Refill();
                continue;
            }
            readAny = true;
            if (TakeFromBlock(line, tooLong))
                return true;
        }
    }

private:
    void Refill();
    // Appends the block's bytes up to the next line feed; true when the line
    // feed was found.
    bool TakeFromBlock(std::string& line, bool& tooLong);

    InputSource& source_;
    std::size_t maxLineBytes_;
    std::vector<char> block_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

} // namespace eh::cli
