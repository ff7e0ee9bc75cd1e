#pragma once
// A busy machine: every core kept busy by processes of their own, for the
// test that starts them and at most `seconds` (they also end with the test
// program), so the program under test has to wait for the processor.
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

class BusyCores
{
public:
    explicit BusyCores(unsigned seconds)
    {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                // Only what is safe in the child of a program with threads.
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                alarm(seconds);
                for (;;)
                    __asm__ __volatile__("");
            }
            if (pid > 0)
                m_children.push_back(pid);
        }
    }
    ~BusyCores()
    {
        for (pid_t pid : m_children)
            kill(pid, SIGKILL);
        for (pid_t pid : m_children)
            waitpid(pid, nullptr, 0);
    }
    BusyCores(const BusyCores &) = delete;
    BusyCores &operator=(const BusyCores &) = delete;

private:
    std::vector<pid_t> m_children;
};
