#include "ZaxsimProcess.h"

#include <cstdlib>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace zaxtest {

namespace {

// Starts ZAXSIM_PATH with `args`, its stdout (and stderr too when asked) on
// the returned pipe.
int Spawn(const std::vector<std::string>& args, bool withStderr, int& readEnd) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> all = {ZAXSIM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    const int pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        if (withStderr)
            dup2(fds[1], 2);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    readEnd = fds[0];
    return pid;
}

} // namespace

ZaxsimProcess::ZaxsimProcess(std::vector<std::string> args) {
    // A client that talks to this server gives up on a silent reply in
    // seconds, so a fault on either side fails the test instead of hanging it.
    setenv("ZAXMGR_RPC_TIMEOUT_MS", "5000", 0);
    args.insert(args.begin(), {"--epm-port", "0", "--port", "0"});
    int readEnd = -1;
    pid_ = Spawn(args, false, readEnd);
    FILE* out = fdopen(readEnd, "r");
    char line[256] = {};
    bool got = fgets(line, sizeof line, out) != nullptr;
    fclose(out);
    unsigned epm = 0, port = 0;
    if (!got ||
        std::sscanf(line, "zaxsim listening on %*s epm-port=%u port=%u", &epm, &port) != 2) {
        Stop();
        throw std::runtime_error(std::string("zaxsim did not start: ") + line);
    }
    epmPort_ = static_cast<uint16_t>(epm);
    port_ = static_cast<uint16_t>(port);
}

int ZaxsimProcess::Signal(int signal) {
    if (pid_ <= 0)
        return -1;
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

int ZaxsimProcess::Stop() {
    return Signal(SIGTERM);
}

void ZaxsimProcess::Kill() {
    Signal(SIGKILL);
}

ZaxsimProcess::~ZaxsimProcess() {
    Stop();
}

ZaxsimProcess::Result ZaxsimProcess::Run(const std::vector<std::string>& args, int timeoutMs) {
    int readEnd = -1;
    const int pid = Spawn(args, true, readEnd);
    Result result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{readEnd, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            timedOut = true;
            break;
        }
        char buffer[4096];
        const ssize_t n = read(readEnd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        result.output.append(buffer, static_cast<size_t>(n));
    }
    close(readEnd);
    if (timedOut)
        kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = !timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace zaxtest
