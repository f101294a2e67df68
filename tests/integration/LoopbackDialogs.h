#pragma once
// What the tests that drive real dialogs against a real zaxsim share: a
// connection through its endpoint mapper, message boxes recorded instead of
// shown, the end of the program turned into a failure, and a state file of
// the test's own that is removed afterwards.

#include "ZaxsimProcess.h"

#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "ui/Messages.h"
#include "ui/UiHooks.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace loopback {

struct Connection {
    explicit Connection(const zaxtest::ZaxsimProcess& sim) {
        setenv("ZAXMGR_EPM_PORT", std::to_string(sim.epmPort()).c_str(), 1);
        uint32_t status = 1;
        binding = zax::ServerBinding::FromString("ncacn_ip_tcp:127.0.0.1[]", status);
        server = std::make_unique<zax::RpcVoiceMailServer>(*binding);
    }
    std::unique_ptr<zax::ServerBinding> binding;
    std::unique_ptr<zax::RpcVoiceMailServer> server;
};

class DialogsOverLoopback : public ::testing::Test {
protected:
    explicit DialogsOverLoopback(const char* name)
        : stateFile((std::filesystem::temp_directory_path() /
                     (std::string("zaxsim-") + name + "-it-" + std::to_string(::getpid())))
                        .string()) {
        ui::Hooks().messageBox = [this](const QString& text, int) {
            messages << text;
            return ui::kAnswerOk;
        };
        ui::Hooks().endProgram = [](int code) { ADD_FAILURE() << "program ended with " << code; };
    }
    ~DialogsOverLoopback() override { std::filesystem::remove(stateFile); }

    // zaxsim's arguments for this test's state in one byte order ("" or "--big-endian").
    std::vector<std::string> Args(const char* byteOrder) const {
        std::vector<std::string> args = {"--state", stateFile};
        if (*byteOrder)
            args.emplace_back(byteOrder);
        return args;
    }

    ui::ScopedHooks hooks;
    QStringList messages;
    const std::string stateFile;
};

} // namespace loopback
