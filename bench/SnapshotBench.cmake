find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(snapshot_bench ${CMAKE_CURRENT_LIST_DIR}/SnapshotBench.cpp)
target_link_libraries(snapshot_bench PRIVATE zax_ctl zax_sim Qt6::Widgets benchmark::benchmark
  zax_options)
