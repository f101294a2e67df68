find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(add_range_bench ${CMAKE_CURRENT_LIST_DIR}/AddRangeBench.cpp)
target_link_libraries(add_range_bench PRIVATE zax_mailbox zax_sim benchmark::benchmark zax_options)
