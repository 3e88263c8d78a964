# The native side: DecodeColumnRle with Google Benchmark on the title picture
# as the build encodes it, against a memcpy of the picture's bytes. Built
# without the sanitizers of the host build, so the figures are the code's own.
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS -Wall -Wextra)
set_property(DIRECTORY PROPERTY LINK_OPTIONS "")
find_package(benchmark REQUIRED)

set(bench_picture ${CMAKE_CURRENT_BINARY_DIR}/backcg.bin)
add_custom_command(OUTPUT ${bench_picture}
  COMMAND backcg encode ${PROJECT_SOURCE_DIR}/resources/title.png ${bench_picture}
  DEPENDS backcg ${PROJECT_SOURCE_DIR}/resources/title.png
  COMMENT "Encoding the title picture for the decoding benchmark")
add_custom_target(bench_picture ALL DEPENDS ${bench_picture})

# The decoder compiled into the benchmark itself, free of the sanitized library.
add_executable(decode_benchmark decode_benchmark.cpp ${PROJECT_SOURCE_DIR}/picture/backcg.cpp)
target_include_directories(decode_benchmark PRIVATE ${PROJECT_SOURCE_DIR}/picture)
target_compile_definitions(decode_benchmark PRIVATE BENCH_PICTURE="${bench_picture}")
target_link_libraries(decode_benchmark PRIVATE benchmark::benchmark)
add_dependencies(decode_benchmark bench_picture)
