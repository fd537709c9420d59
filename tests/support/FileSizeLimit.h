#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// A full disk for real: fn runs in a child process whose files may not grow
// past limit bytes. SIGXFSZ is ignored there, so a write past the limit fails
// with EFBIG as it would on a full file system.
struct ChildRun {
    int status = -1;  // the child's exit code; -1 when it did not exit
    std::string stderrText;
};

inline ChildRun RunWithFileSizeLimit(rlim_t limit, const std::function<int()>& fn)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDERR_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const int code = fn();
        std::cerr.flush();
        ::_exit(code);
    }
    ::close(out[1]);
    ChildRun run;
    char buffer[512];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
        run.stderrText.append(buffer, static_cast<std::size_t>(got));
    ::close(out[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    return run;
}
