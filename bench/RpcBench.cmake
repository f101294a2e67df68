add_executable(rpc_bench ${CMAKE_CURRENT_LIST_DIR}/RpcBench.cpp)
target_link_libraries(rpc_bench PRIVATE zax_server zax_sim benchmark::benchmark zax_options)
