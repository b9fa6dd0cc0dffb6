#include "tests/support/ChildProgram.h"

#include <cerrno>
#include <fcntl.h>
#include <csignal>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace test {

ChildProgram::ChildProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);

    std::vector<std::string> argumentStrings {program};
    argumentStrings.insert(argumentStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int error = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (error != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + program);
    }
    m_output = pipeEnds[0];
}

ChildProgram::~ChildProgram()
{
    if (!m_collected) {
        Kill(SIGKILL);
        Wait();
    }
    if (m_output >= 0)
        close(m_output);
}

bool ChildProgram::ReadLine(std::string& line)
{
    while (true) {
        std::size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return true;
        }
        char buffer[4096];
        ssize_t got = read(m_output, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (m_pending.empty())
                return false;
            line = std::move(m_pending);
            m_pending.clear();
            return true;
        }
        m_pending.append(buffer, static_cast<std::size_t>(got));
    }
}

int ChildProgram::Wait()
{
    if (!m_collected) {
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_collected = true;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return m_status;
}

void ChildProgram::Kill(int signal)
{
    if (!m_collected)
        kill(m_pid, signal);
}

} // namespace test
