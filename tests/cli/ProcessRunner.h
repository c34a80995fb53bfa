// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <vector>

// Runs a program as a child process, feeding its standard input and
// capturing its standard output and error, for the command-line tool's tests.
namespace eh::test {

struct ProcessResult {
    int exitCode = -1; // -1 when the child did not exit normally
    int signal = 0;    // the terminating signal, if any
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::string input;                   // written to the child's stdin, then closed
    std::vector<std::string> setEnv;     // "NAME=value" added to (or replacing in) the environment
    std::vector<std::string> unsetEnv;   // names removed from the environment
    std::string workingDirectory;        // empty: the test's own
    std::string stdoutFile;              // when set, the child's stdout goes to this file, not to `out`
    std::chrono::seconds timeout{120};   // the child is killed after this
};

// argv[0] is the program's path.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// A child whose pipes stay open: for a conversation line by line.
class InteractiveProcess {
public:
    explicit InteractiveProcess(const std::vector<std::string>& argv);
    ~InteractiveProcess();
    InteractiveProcess(const InteractiveProcess&) = delete;
    InteractiveProcess& operator=(const InteractiveProcess&) = delete;

    void Write(const std::string& text);
    // Reads stdout until a line feed arrives or `timeout` passes; returns the
    // line without its line feed, or nothing on timeout or end of output.
    bool ReadLine(std::string& line, std::chrono::milliseconds timeout);
    // Closes stdin and waits for the exit code.
    int Finish();

private:
    int pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string pending_;
};

} // namespace eh::test
