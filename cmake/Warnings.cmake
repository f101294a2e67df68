# Project-wide compiler settings: strict warnings everywhere, optional sanitizers.
add_library(zax_options INTERFACE)
target_compile_options(zax_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wimplicit-fallthrough)
# GCC's null-dereference warning works only when optimising, and there GCC 12
# reports paths inside the standard library that cannot happen; clang's is a
# front-end check without that trouble.
# Its restrict warning, when optimising, fires on ordinary std::string
# concatenation inlined from the standard library (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  target_compile_options(zax_options INTERFACE -Wnull-dereference)
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(zax_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict>)
endif()
if(ZAX_WERROR)
  target_compile_options(zax_options INTERFACE -Werror)
endif()
if(ZAX_SANITIZE)
  target_compile_options(zax_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                               -fno-sanitize-recover=undefined)
  target_link_options(zax_options INTERFACE -fsanitize=address,undefined)
endif()
