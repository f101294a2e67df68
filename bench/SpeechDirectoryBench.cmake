find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(speech_directory_bench ${CMAKE_CURRENT_LIST_DIR}/SpeechDirectoryBench.cpp)
target_link_libraries(speech_directory_bench PRIVATE zax_mailbox zax_sim benchmark::benchmark zax_options)
