#include "ZaxsimProcess.h"

#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace zaxtest {

ZaxsimProcess::ZaxsimProcess(std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> all = {ZAXSIM_PATH, "--epm-port", "0", "--port", "0"};
    all.insert(all.end(), args.begin(), args.end());
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], 1);
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
    FILE* out = fdopen(fds[0], "r");
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

int ZaxsimProcess::Stop() {
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

ZaxsimProcess::~ZaxsimProcess() {
    Stop();
}

} // namespace zaxtest
