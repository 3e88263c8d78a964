# Settings shared by every Windows target.
#
# Narrow literals are Shift-JIS at run time; the sources stay UTF-8.
add_compile_options(-fexec-charset=CP932 -Wall -Wextra)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

# The C and C++ runtimes are linked in, so only the system's own DLLs are needed.
# No time stamp goes into the header, so two builds give the same bytes.
set(KVE_WINDOWS_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Exports by plain name (no @N), and a header that Windows 95 and NT 4 accept.
  list(APPEND KVE_WINDOWS_LINK_OPTIONS -Wl,--kill-at
       -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0)
endif()

# A GUI program, stripped, with the runtime linked in.
function(kve_gui_program target)
  target_link_options(${target} PRIVATE ${KVE_WINDOWS_LINK_OPTIONS} -mwindows -s)
endfunction()

# Code that runs in the launcher, which has no C runtime: no exceptions, no
# run-time type information, no guarded statics (each would call into one).
# Optimised for size: the program waits on the user and the disk, not on its
# own instructions. On i686 without the DWARF unwind tables, which only a
# runtime reads; x86_64 keeps its unwind data, which Windows itself reads.
set(KVE_LAUNCHER_CODE_OPTIONS -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND KVE_LAUNCHER_CODE_OPTIONS -fno-asynchronous-unwind-tables)
endif()
function(kve_launcher_code)
  foreach(target ${ARGN})
    target_compile_options(${target} PRIVATE ${KVE_LAUNCHER_CODE_OPTIONS})
  endforeach()
endfunction()

# The launcher itself: a GUI program that starts at its own entry point
# (launcher/entry.cpp) and links no library but those it names.
function(kve_runtime_free_gui_program target)
  kve_gui_program(${target})
  target_link_options(${target} PRIVATE -nostartfiles -nodefaultlibs)
endfunction()

# A console program (tests, the driver): runtime linked in, symbols kept.
function(kve_console_program target)
  target_link_options(${target} PRIVATE ${KVE_WINDOWS_LINK_OPTIONS} -mconsole)
endfunction()

# Each build folder (build/x86_64, other-build/x86_64, ...) runs its programs in
# the Wine prefix beside it, with its own registry and display.
get_filename_component(KVE_BUILDS_FOLDER ${CMAKE_BINARY_DIR} DIRECTORY)
set(KVE_WINE_PREFIX ${KVE_BUILDS_FOLDER}/wine CACHE PATH "The Wine prefix the tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX_KVE=${KVE_WINE_PREFIX} ${PROJECT_SOURCE_DIR}/cmake/wine-run)

# Only the x86_64 build runs here (wine64; 32-bit emulation is off), and Wine
# returns 0 without running a program it cannot start: run-time tests are
# registered for x86_64 alone, while i686 still builds every test program.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(KVE_RUNS_UNDER_WINE ON)
else()
  set(KVE_RUNS_UNDER_WINE OFF)
endif()

# Adds a test that runs a Windows program of this build under Wine.
function(kve_add_wine_test name)
  if(KVE_RUNS_UNDER_WINE)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
  endif()
endfunction()

# The same on a system of another code page, which Wine takes from the locale
# (C.UTF-8 gives 1252).
function(kve_add_wine_test_in_locale name locale)
  kve_add_wine_test(${name} ${ARGN})
  if(TEST ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT KVE_WINE_LOCALE=${locale})
  endif()
endfunction()
