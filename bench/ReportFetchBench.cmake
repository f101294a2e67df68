find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(report_fetch_bench ${CMAKE_CURRENT_LIST_DIR}/ReportFetchBench.cpp)
target_link_libraries(report_fetch_bench PRIVATE zax_reports zax_sim benchmark::benchmark zax_options)
