add_executable(voice_codec_bench ${CMAKE_CURRENT_LIST_DIR}/VoiceCodecBench.cpp)
target_link_libraries(voice_codec_bench PRIVATE zax_voice zax_options benchmark::benchmark)
target_compile_definitions(voice_codec_bench PRIVATE ZAXVOICE_PATH="$<TARGET_FILE:zaxvoice>")
add_dependencies(voice_codec_bench zaxvoice)
