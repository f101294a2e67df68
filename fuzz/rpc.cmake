zax_add_fuzzer(fuzz_rpc_reply
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RpcReplyFuzzer.cpp
  LIBS zax_server zax_dcerpc)
