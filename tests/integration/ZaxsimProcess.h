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

private:
    int pid_ = -1;
    uint16_t epmPort_ = 0;
    uint16_t port_ = 0;
};

} // namespace zaxtest
