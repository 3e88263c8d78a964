# Host build: the portable code, the distributor's tools and the native tests.
option(KVE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
option(KVE_FUZZ "Build the libFuzzer target (needs clang)" OFF)

add_compile_options(-Wall -Wextra)
if(KVE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The host tools land in one folder, which the Windows builds are given.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
