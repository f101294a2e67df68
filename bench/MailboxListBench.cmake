find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(mailbox_list_bench ${CMAKE_CURRENT_LIST_DIR}/MailboxListBench.cpp)
target_link_libraries(mailbox_list_bench PRIVATE zax_mailbox zax_sim benchmark::benchmark zax_options)
