find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(lists_bench ${CMAKE_CURRENT_LIST_DIR}/ListsBench.cpp)
target_link_libraries(lists_bench PRIVATE zax_lists zax_sim benchmark::benchmark zax_options)
