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
# Nor the compiler's name, which each object would add to the read-only data.
list(APPEND KVE_LAUNCHER_CODE_OPTIONS -fno-ident)
# The shipping i686 build runs on the 386 of the first Windows 95 and NT 3.51
# machines (MinGW's compiler would otherwise use the Pentium Pro's conditional
# moves). Its calls push their arguments, which takes a fifth less code than
# storing them into a frame reserved in advance; the stack is taken as the
# 4-byte aligned one that Win32 gives. That needs the stack probes off, which
# only frames of a page or more would call: a frame that large fails the build.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND KVE_LAUNCHER_CODE_OPTIONS -fno-asynchronous-unwind-tables -march=i386 -mtune=generic
       -mno-accumulate-outgoing-args -mno-stack-arg-probe -mpreferred-stack-boundary=2
       -Werror=frame-larger-than=4000)
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

# Where the Windows programs of this build run: the x86_64 build here under
# wine64; the i686 build, which this machine refuses, under 32-bit Wine in the
# test guest (tools/guest/guest.sh), a Debian tree whose 32-bit programs run
# under QEMU's user-mode emulator, entered once for a run. KVE_IN_TEST_MACHINE
# is the command prefix that runs a command there, and KVE_TIME_SCALE how many
# times longer a test may take there than here.
get_filename_component(KVE_BUILDS_FOLDER ${CMAKE_BINARY_DIR} DIRECTORY)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(KVE_RUNS_UNDER_WINE ON)
  set(KVE_IN_TEST_MACHINE "")
  set(KVE_TIME_SCALE 1)
  # Each build folder (build/x86_64, other-build/x86_64, ...) runs its programs
  # in the Wine prefix beside it, with its own registry and display.
  set(KVE_WINE_PREFIX ${KVE_BUILDS_FOLDER}/wine CACHE PATH "The Wine prefix the tests run in")
else()
  option(KVE_TEST_IN_GUEST "Run the i686 build's tests in the test guest" ON)
  set(KVE_RUNS_UNDER_WINE ${KVE_TEST_IN_GUEST})
  set(KVE_IN_TEST_MACHINE ${PROJECT_SOURCE_DIR}/cmake/guest-run)
  # Under the emulator (QEMU 10, Wine 10) a scenario that only starts the
  # launcher takes six to ten times as long as here (2 s against 0.3 s), a
  # long one two to three times, and all the scenarios together four times.
  set(KVE_TIME_SCALE 4)
  # A 32-bit prefix of its own beside the 64-bit one.
  set(KVE_WINE_PREFIX ${KVE_BUILDS_FOLDER}/wine-i686 CACHE PATH "The Wine prefix the tests run in")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${KVE_IN_TEST_MACHINE} env WINEPREFIX_KVE=${KVE_WINE_PREFIX}
    ${PROJECT_SOURCE_DIR}/cmake/wine-run)

# Gives tests a time limit: the seconds they may take here, scaled for the
# machine they run in.
function(kve_set_time_limit seconds)
  math(EXPR scaled "${seconds} * ${KVE_TIME_SCALE}")
  set_tests_properties(${ARGN} PROPERTIES TIMEOUT ${scaled})
endfunction()

# The guest is entered by a setup test, and ended by a cleanup test, of the
# fixture that every test run in it requires. Wine's session there (prefixes,
# display, servers) is made by the second setup test, once.
if(KVE_RUNS_UNDER_WINE AND KVE_IN_TEST_MACHINE)
  add_test(NAME guest_start COMMAND ${PROJECT_SOURCE_DIR}/tools/guest/guest.sh start)
  add_test(NAME guest_wine_session
    COMMAND ${KVE_IN_TEST_MACHINE} env WINEPREFIX_KVE=${KVE_WINE_PREFIX}
            ${PROJECT_SOURCE_DIR}/tools/guest/wine_session.sh)
  add_test(NAME guest_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/guest/guest.sh stop)
  # The first start may make the tree: 82 s here, 220 s on a busy machine.
  # Both prefixes with the display and the servers take 40 to 65 s.
  set_tests_properties(guest_start PROPERTIES FIXTURES_SETUP kve_guest_started TIMEOUT 900)
  set_tests_properties(guest_wine_session PROPERTIES
    FIXTURES_REQUIRED kve_guest_started FIXTURES_SETUP kve_guest TIMEOUT 300)
  set_tests_properties(guest_stop PROPERTIES FIXTURES_CLEANUP "kve_guest_started;kve_guest" TIMEOUT 120)
  set(KVE_TEST_MACHINE_FIXTURE kve_guest)
else()
  set(KVE_TEST_MACHINE_FIXTURE "")
endif()

# Adds a test that runs a Windows program of this build under Wine.
function(kve_add_wine_test name)
  if(KVE_RUNS_UNDER_WINE)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE FIXTURES_REQUIRED "${KVE_TEST_MACHINE_FIXTURE}")
    kve_set_time_limit(180 ${name})
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
