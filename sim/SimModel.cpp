#include "SimModel.h"

#include "StateFile.h"

namespace zaxsim {

SimModel::SimModel(SimState state, std::optional<std::filesystem::path> stateFile)
    : state_(std::move(state)), stateFile_(std::move(stateFile)) {}

void SimModel::Changed() {
    if (stateFile_)
        SaveState(state_, *stateFile_);
}

} // namespace zaxsim
