zax_add_fuzzer(fuzz_rpc_reply
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RpcReplyFuzzer.cpp
  LIBS zax_server zax_dcerpc)
# The server side: a hostile client's requests for every procedure, run
# against the simulated server's demo office.
zax_add_fuzzer(fuzz_sim_request
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SimRequestFuzzer.cpp
  LIBS zax_sim)
