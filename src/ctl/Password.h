#pragma once
// Where the administration password comes from: never the command line,
// where every user of the machine could read it.

#include <optional>
#include <stdexcept>
#include <string>

namespace ctl {

class PasswordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// In this order: the file `passwordFile` when given (its first line),
// the environment variable ZAX_PASSWORD, else a prompt on the terminal with
// echo off. Throws PasswordError when none of them gives one.
std::string ReadPassword(const std::optional<std::string>& passwordFile);

} // namespace ctl
