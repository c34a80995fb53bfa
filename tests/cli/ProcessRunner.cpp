// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessRunner.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace eh::test {

namespace {

std::vector<std::string> ChildEnvironment(const ProcessOptions& options)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool drop = false;
        for (const std::string& unset : options.unsetEnv)
            drop = drop || unset == name;
        for (const std::string& set : options.setEnv)
            drop = drop || set.substr(0, set.find('=')) == name;
        if (!drop)
            env.push_back(entry);
    }
    env.insert(env.end(), options.setEnv.begin(), options.setEnv.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The machine an ELF program is built for; 0 for a file that is not one.
unsigned ElfMachine(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[20] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || std::memcmp(header, "\177ELF", 4) != 0)
        return 0;
    return header[18] | (header[19] << 8); // e_machine, little-endian on both machines
}

void MakePipe(int fds[2])
{
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
}

// Forks and execs; the child's stdin/stdout/stderr are the given pipe ends.
int Spawn(const std::vector<std::string>& argv, std::vector<std::string> env, const std::string& cwd, int in,
          int out, int err)
{
    // In a cross build a child built for the target machine (as this test
    // is) runs through the same emulator; the build machine's own programs,
    // such as /bin/sh, run as they are.
    std::vector<std::string> args;
    if (const std::string emulator = EH_CHILD_EMULATOR;
        !emulator.empty() && ElfMachine(argv.at(0)) == ElfMachine("/proc/self/exe"))
        args.push_back(emulator);
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<char*> argp = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0)
            ::_exit(126);
        ::execve(argp[0], argp.data(), envp.data());
        ::_exit(127);
    }
    return pid;
}

void ReadAvailable(int& fd, std::string& into)
{
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        ::close(fd);
        fd = -1;
    }
}

int WaitFor(int pid, int* signal)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (signal && WIFSIGNALED(status))
        *signal = WTERMSIG(status);
    return -1;
}

} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
{
    std::signal(SIGPIPE, SIG_IGN);
    int inPipe[2], outPipe[2], errPipe[2];
    MakePipe(inPipe);
    MakePipe(outPipe);
    MakePipe(errPipe);
    int childOut = outPipe[1];
    if (!options.stdoutFile.empty()) {
        childOut = ::open(options.stdoutFile.c_str(), O_WRONLY | O_CLOEXEC);
        if (childOut < 0)
            throw std::runtime_error("cannot open " + options.stdoutFile);
        ::close(outPipe[1]);
    }
    const int pid = Spawn(argv, ChildEnvironment(options), options.workingDirectory, inPipe[0], childOut, errPipe[1]);
    ::close(inPipe[0]);
    ::close(childOut);
    ::close(errPipe[1]);

    int in = inPipe[1];
    int out = outPipe[0];
    int err = errPipe[0];
    ::fcntl(in, F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    if (options.input.empty()) {
        ::close(in);
        in = -1;
    }

    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    bool killed = false;
    while (out >= 0 || err >= 0) {
        pollfd fds[3];
        int count = 0;
        if (in >= 0)
            fds[count++] = {in, POLLOUT, 0};
        if (out >= 0)
            fds[count++] = {out, POLLIN, 0};
        if (err >= 0)
            fds[count++] = {err, POLLIN, 0};
        const int ready = ::poll(fds, static_cast<nfds_t>(count), 200);
        if (std::chrono::steady_clock::now() > deadline && !killed) {
            ::kill(pid, SIGKILL);
            killed = true;
        }
        if (ready <= 0)
            continue;
        for (int i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            if (fds[i].fd == in) {
                const ssize_t n = ::write(in, options.input.data() + written, options.input.size() - written);
                if (n > 0)
                    written += static_cast<std::size_t>(n);
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == options.input.size()) {
                    ::close(in);
                    in = -1;
                }
            } else if (fds[i].fd == out) {
                ReadAvailable(out, result.out);
            } else if (fds[i].fd == err) {
                ReadAvailable(err, result.err);
            }
        }
    }
    if (in >= 0)
        ::close(in);
    result.exitCode = WaitFor(pid, &result.signal);
    return result;
}

InteractiveProcess::InteractiveProcess(const std::vector<std::string>& argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    int inPipe[2], outPipe[2];
    MakePipe(inPipe);
    MakePipe(outPipe);
    pid_ = Spawn(argv, ChildEnvironment({}), "", inPipe[0], outPipe[1], 2);
    ::close(inPipe[0]);
    ::close(outPipe[1]);
    in_ = inPipe[1];
    out_ = outPipe[0];
}

InteractiveProcess::~InteractiveProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Finish();
    }
}

void InteractiveProcess::Write(const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(in_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("write to the child failed");
        done += static_cast<std::size_t>(n);
    }
}

bool InteractiveProcess::ReadLine(std::string& line, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t feed = pending_.find('\n');
        if (feed != std::string::npos) {
            line = pending_.substr(0, feed);
            pending_.erase(0, feed + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || out_ < 0)
            return false;
        pollfd fd{out_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) > 0)
            ReadAvailable(out_, pending_);
    }
}

int InteractiveProcess::Finish()
{
    if (in_ >= 0) {
        ::close(in_);
        in_ = -1;
    }
    if (out_ >= 0) {
        ::close(out_);
        out_ = -1;
    }
    if (pid_ <= 0)
        return -1;
    const int code = WaitFor(pid_, nullptr);
    pid_ = -1;
    return code;
}

} // namespace eh::test
