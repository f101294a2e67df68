#include "ctl/Password.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace ctl {

namespace {

std::string FirstLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string Prompt() {
    const int fd = ::fileno(stdin);
    if (!::isatty(fd))
        throw PasswordError("no password: give --password-file FILE, set ZAX_PASSWORD, or run "
                            "on a terminal to be asked");
    termios saved{};
    ::tcgetattr(fd, &saved);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    std::cerr << "Password: " << std::flush;
    ::tcsetattr(fd, TCSAFLUSH, &quiet);
    const std::string password = FirstLine(std::cin);
    ::tcsetattr(fd, TCSAFLUSH, &saved);
    std::cerr << '\n';
    return password;
}

} // namespace

std::string ReadPassword(const std::optional<std::string>& passwordFile) {
    if (passwordFile) {
        std::ifstream in(*passwordFile);
        if (!in)
            throw PasswordError("cannot read the password file " + *passwordFile);
        return FirstLine(in);
    }
    if (const char* env = std::getenv("ZAX_PASSWORD"))
        return env;
    return Prompt();
}

} // namespace ctl
