add_executable(state_bench ${CMAKE_CURRENT_LIST_DIR}/StateChangeBench.cpp)
target_link_libraries(state_bench PRIVATE zax_sim benchmark::benchmark zax_options)
