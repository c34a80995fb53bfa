// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackgroundWriter.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace eh::cli {

namespace {
constexpr std::size_t kMaxWaitingBlocks = 2;
} // namespace

BackgroundWriter::BackgroundWriter(std::ostream& out) : out_(out)
{
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had (a process limit, or WebAssembly without
        // threads): Submit writes each block itself.
    }
}

BackgroundWriter::~BackgroundWriter() { Finish(); }

void BackgroundWriter::Submit(std::string& block, bool flush)
{
    if (!thread_.joinable()) {
        if (!failed_) {
            errno = 0;
            Write(block, flush);
            failed_ = !out_;
            error_ = failed_ ? errno : 0;
        }
        block.clear();
        return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kMaxWaitingBlocks || failed_; });
    if (failed_) {
        block.clear();
        return;
    }
    queue_.push_back({std::move(block), flush});
    if (spare_.empty()) {
        block = std::string();
    } else {
        block = std::move(spare_.back());
        spare_.pop_back();
    }
    block.clear();
    changed_.notify_all();
}

bool BackgroundWriter::Failed()
{
    std::lock_guard lock(mutex_);
    return failed_;
}

int BackgroundWriter::Error()
{
    std::lock_guard lock(mutex_);
    return error_;
}

void BackgroundWriter::Finish()
{
    {
        std::lock_guard lock(mutex_);
        if (closing_)
            return;
        closing_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundWriter::Write(const std::string& text, bool flush)
{
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (flush)
        out_.flush();
}

void BackgroundWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
        if (queue_.empty())
            return; // closing, and everything is written
        Block block = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        errno = 0;
        Write(block.text, block.flush);
        const bool failed = !out_;
        const int error = errno;
        lock.lock();
        if (failed && !failed_)
            error_ = error;
        failed_ = failed_ || failed;
        block.text.clear();
        spare_.push_back(std::move(block.text));
        changed_.notify_all();
    }
}

} // namespace eh::cli
