find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(prompt_transfer_bench ${CMAKE_CURRENT_LIST_DIR}/PromptTransferBench.cpp)
target_link_libraries(prompt_transfer_bench PRIVATE zax_prompts zax_sim benchmark::benchmark
  zax_options)
