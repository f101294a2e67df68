// Cold start of the administration client, as a whole process: from
// starting `gui` to its log-in dialog on screen (the program ends there when
// ZAXMGR_EXIT_AT_LOGIN is set). The baseline is the smallest Qt program that
// shows a dialog and ends the same way, started the same way in the same run,
// so the ratio says what the client adds to what Qt itself costs.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs a program to its end with the start-up probe set, on the display or
// offscreen, and a configuration folder of its own. Returns false when it did
// not end well.
bool RunToLogin(const std::string& program, const std::filesystem::path& configHome) {
    std::vector<std::string> env = {
        "ZAXMGR_EXIT_AT_LOGIN=1", "XDG_CONFIG_HOME=" + configHome.string(),
        "XDG_RUNTIME_DIR=" + configHome.string(), "HOME=" + configHome.string()};
    // On the display the run was given (an X server, Xvfb included), else offscreen.
    const char* display = std::getenv("DISPLAY");
    env.push_back(display != nullptr ? std::string("DISPLAY=") + display
                                     : std::string("QT_QPA_PLATFORM=offscreen"));
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status);
}

void Start(benchmark::State& state, const char* program) {
    std::string dir = (std::filesystem::temp_directory_path() / "zax-startup-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no scratch folder");
        return;
    }
    chmod(dir.c_str(), 0700);
    // The configuration file an installed client has.
    std::filesystem::create_directories(std::filesystem::path(dir) / "zaxmgr");
    std::ofstream(std::filesystem::path(dir) / "zaxmgr" / "zaxmgr.ini")
        << "[ZAX Manager]\nLanguage=1\nHosts=127.0.0.1\nPrint To=2\n";
    const std::string path = std::string(ZAX_BIN_DIR) + "/" + program;
    for (auto _ : state) {
        if (!RunToLogin(path, dir)) {
            state.SkipWithError("the program did not end normally");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

void BM_QtDialogBaseline(benchmark::State& state) {
    Start(state, "startup_baseline");
}
void BM_GuiToLoginDialog(benchmark::State& state) {
    Start(state, "gui");
}

} // namespace

BENCHMARK(BM_QtDialogBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_GuiToLoginDialog)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK_MAIN();
