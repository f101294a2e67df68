# Fuzz the two decoders and the wave reader through the same stream converters the program
# uses (inputs arrive as in-memory streams), plus direct block calls with chosen kinds.
zax_add_fuzzer(voice_oki_decode_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/voice_oki_decode_fuzz.cpp
               LIBS zax_voice)
zax_add_fuzzer(voice_sbc_decode_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/voice_sbc_decode_fuzz.cpp
               LIBS zax_voice)
zax_add_fuzzer(voice_wave_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/voice_wave_fuzz.cpp
               LIBS zax_voice)

# The filter bank's loops run a fixed number of times over sample arithmetic; tracing their
# comparisons tells the fuzzer nothing and made up two thirds of each run. Address and
# undefined-behaviour checks stay on.
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/voice/SbcFilterBank.cpp
                            TARGET_DIRECTORY zax_voice
                            PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
