// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace eh::cli {

// Writes blocks of text to a stream on a thread of its own, so that the next
// answers are computed while the system copies the last ones into a pipe (a
// design's JSON is about 8 KB, and copying it costs about half as much as
// computing it). At most two blocks wait to be written; Submit waits while
// they do, so memory stays within a few blocks. Only this writer may use the
// stream until Finish returns. Where no thread can be started, Submit writes
// the block itself.
class BackgroundWriter {
public:
    explicit BackgroundWriter(std::ostream& out);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Hands `block` over to be written (it comes back empty, with a buffer
    // to reuse); with `flush` the stream is flushed after it.
    void Submit(std::string& block, bool flush);
    // True once a write has failed: what is submitted then is dropped.
    bool Failed();
    // The system's error number of the first failed write, 0 if none is known.
    int Error();
    // Waits until everything submitted is written and flushed.
    void Finish();

private:
    struct Block {
        std::string text;
        bool flush = false;
    };
    void Run();
    void Write(const std::string& text, bool flush);

    std::ostream& out_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> queue_;
    std::vector<std::string> spare_;
    bool closing_ = false;
    bool failed_ = false;
    int error_ = 0;
    std::thread thread_;
};

} // namespace eh::cli
