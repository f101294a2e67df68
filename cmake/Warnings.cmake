# Project-wide compiler settings: strict warnings everywhere, optional sanitizers.
add_library(zax_options INTERFACE)
target_compile_options(zax_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wimplicit-fallthrough)
if(ZAX_WERROR)
  target_compile_options(zax_options INTERFACE -Werror)
endif()
if(ZAX_SANITIZE)
  target_compile_options(zax_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                               -fno-sanitize-recover=undefined)
  target_link_options(zax_options INTERFACE -fsanitize=address,undefined)
endif()
