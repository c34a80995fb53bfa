// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineReader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace eh::cli {

std::size_t StreamInput::Read(char* buffer, std::size_t size)
{
    if (!in_)
        return 0;
    in_.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in_.gcount());
}

std::size_t FileDescriptorInput::Read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            return 0;
    }
}

LineReader::LineReader(InputSource& source, std::size_t maxLineBytes, std::size_t blockBytes)
    : source_(source), maxLineBytes_(maxLineBytes), block_(blockBytes)
{
}

void LineReader::Refill()
{
    pos_ = 0;
    end_ = source_.Read(block_.data(), block_.size());
    if (end_ == 0)
        atEnd_ = true;
}

bool LineReader::TakeFromBlock(std::string& line, bool& tooLong)
{
    const char* start = block_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const void* found = std::memchr(start, '\n', available);
    const std::size_t take = found ? static_cast<std::size_t>(static_cast<const char*>(found) - start) : available;
    if (!tooLong) {
        if (line.size() + take > maxLineBytes_) {
            tooLong = true;
            line.append(start, maxLineBytes_ - line.size());
        } else {
            line.append(start, take);
        }
    }
    pos_ += take;
    if (found) {
        ++pos_; // the line feed
        return true;
    }
    return false;
}

} // namespace eh::cli
