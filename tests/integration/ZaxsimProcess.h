#pragma once
// Starts the real zaxsim program on loopback for a test and stops it again.

#include <cstdint>
#include <string>
#include <vector>

namespace zaxtest {

class ZaxsimProcess {
public:
    // Starts zaxsim with the given extra arguments, on ports the system chooses.
    explicit ZaxsimProcess(std::vector<std::string> args = {});
    ~ZaxsimProcess();
    ZaxsimProcess(const ZaxsimProcess&) = delete;
    ZaxsimProcess& operator=(const ZaxsimProcess&) = delete;

    uint16_t epmPort() const { return epmPort_; }
    uint16_t port() const { return port_; }
    // Stops the program (SIGTERM) and waits for it; returns its exit status.
    int Stop();
    // Kills the program (SIGKILL), as a crash or the power going would:
    // it gets no chance to finish what it was doing.
    void Kill();

    // Runs zaxsim with exactly `args` to its end (a file command, or a
    // start-up that is refused) and returns its exit code, -1 when it had
    // to be killed after `timeoutMs`, with what it wrote to stdout and stderr.
    struct Result {
        int exitCode = -1;
        std::string output;
    };
    static Result Run(const std::vector<std::string>& args, int timeoutMs = 10000);

private:
    int Signal(int signal);
    int pid_ = -1;
    uint16_t epmPort_ = 0;
    uint16_t port_ = 0;
};

} // namespace zaxtest
