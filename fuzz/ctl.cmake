# zaxctl's snapshot and CSV files.
zax_add_fuzzer(fuzz_ctl_files
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CtlFilesFuzzer.cpp
  LIBS zax_ctl zax_sim)
