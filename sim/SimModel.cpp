#include "SimModel.h"

#include "StateDatabase.h"

namespace zaxsim {

SimModel::SimModel(SimState state) : state_(std::move(state)) {}

SimModel::SimModel(std::unique_ptr<StateDatabase> store)
    : store_(std::move(store)), state_(store_->Load()) {}

SimModel::~SimModel() = default;

} // namespace zaxsim
