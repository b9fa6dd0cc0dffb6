#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace test {

// A helper program started by a test, independently of the suite's own process
// calls, with its standard output readable line by line. A child still running
// when the object goes away is killed and collected.
class ChildProgram {
public:
    // Starts `program` with the arguments (the program name is added as the
    // first); throws std::runtime_error when it cannot be started.
    ChildProgram(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t Pid() const { return m_pid; }

    // The next line of the child's output without its line end; false once the
    // output has ended.
    bool ReadLine(std::string& line);

    // Waits for the child to end: its exit status, or 128 plus the signal that
    // ended it.
    int Wait();

    void Kill(int signal);

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_pending;
    bool m_collected = false;
    int m_status = 0;
};

} // namespace test
