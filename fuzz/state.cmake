# The simulator's reader of the earlier state-file format, the client's
# configuration file, and the entry and time-of-day checks.
zax_add_fuzzer(fuzz_state_file
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StateFileFuzzer.cpp
  LIBS zax_sim_state)
zax_add_fuzzer(fuzz_config_file
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ConfigFileFuzzer.cpp
  LIBS zax_core)
zax_add_fuzzer(fuzz_entry_checks
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EntryChecksFuzzer.cpp
  LIBS zax_core)
