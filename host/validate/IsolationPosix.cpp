// One forked child per scenario, up to `jobs` at a time, each with a time
// limit; the parent reads what each child writes until it ends.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Isolation.h"

namespace validate {

namespace {

using Clock = std::chrono::steady_clock;

int gChildOutput = -1;

void EmitToParent(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(gChildOutput, text.data() + written, text.size() - written);
        if (n <= 0) return;
        written += static_cast<std::size_t>(n);
    }
}

struct Child {
    pid_t pid;
    int output;
    int64_t number;
    Clock::time_point deadline;
    std::string text;
};

Child Start(const RunSettings& settings, int64_t number) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error(std::string("cannot start a child process: ") + std::strerror(errno));
    if (pid == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        gChildOutput = pipeEnds[1];
        RunChild(settings, number, &EmitToParent);
        _exit(0);
    }
    close(pipeEnds[1]);
    const auto limit = std::chrono::milliseconds(static_cast<int64_t>(settings.timeoutSeconds * 1000));
    return Child{pid, pipeEnds[0], number, Clock::now() + limit, {}};
}

ChildEnd Reap(pid_t pid, bool timedOut) {
    ChildEnd end;
    end.timedOut = timedOut;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        end.signalled = true;
        end.code = WTERMSIG(status);
        end.how = std::string("signal ") + std::to_string(end.code) + " (" + strsignal(end.code) + ")";
    } else {
        end.code = WEXITSTATUS(status);
        end.how = "exit status " + std::to_string(end.code);
    }
    return end;
}

}  // namespace

void RunIsolated(const RunSettings& settings, int64_t first, int64_t count,
                 const std::function<void(const Finished&)>& done) {
    std::vector<Child> running;
    int64_t next = first;
    const int64_t last = first + count;
    const auto finish = [&](std::size_t i, bool timedOut) {
        Child child = std::move(running[i]);
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        if (timedOut) kill(child.pid, SIGKILL);
        close(child.output);
        const ChildEnd end = Reap(child.pid, timedOut);
        done(Finished{child.number, ReadChild(child.text, child.number, settings, end)});
    };
    while (next < last || !running.empty()) {
        while (static_cast<int>(running.size()) < settings.jobs && next < last) running.push_back(Start(settings, next++));

        const Clock::time_point now = Clock::now();
        auto wait = std::chrono::milliseconds(1000);
        for (const Child& c : running)
            wait = std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(c.deadline - now));
        std::vector<pollfd> fds;
        for (const Child& c : running) fds.push_back({c.output, POLLIN, 0});
        poll(fds.data(), fds.size(), static_cast<int>(std::max<int64_t>(0, wait.count())));

        for (std::size_t i = running.size(); i-- > 0;) {
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                char buffer[4096];
                const ssize_t n = read(running[i].output, buffer, sizeof buffer);
                if (n > 0) {
                    running[i].text.append(buffer, static_cast<std::size_t>(n));
                    continue;
                }
                finish(i, false);
            } else if (Clock::now() >= running[i].deadline) {
                finish(i, true);
            }
        }
    }
}

}  // namespace validate
