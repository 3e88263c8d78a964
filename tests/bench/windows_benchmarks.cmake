# The Windows side: the launcher without its picture (for its size, in both
# builds), and the timed programs, which run here under wine64 alone.

# The launcher's resources with the BACKCG line left out.
set(launcher_script ${PROJECT_SOURCE_DIR}/resources/launcher.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${launcher_script})
file(READ ${launcher_script} with_picture)
string(REGEX REPLACE "\nBACKCG RCDATA[^\n]*" "" without_picture "${with_picture}")
if(without_picture STREQUAL with_picture)
  message(FATAL_ERROR "launcher.rc has no BACKCG RCDATA line to leave out")
endif()
set(script_without_picture ${CMAKE_CURRENT_BINARY_DIR}/launcher_without_picture.rc)
file(CONFIGURE OUTPUT ${script_without_picture} CONTENT "${without_picture}" @ONLY)
set_source_files_properties(${script_without_picture} PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/resources/dialogs.rc;${PROJECT_SOURCE_DIR}/resources/resource_ids.h")

add_executable(launcher_without_picture WIN32 $<TARGET_OBJECTS:launcher_start> ${script_without_picture})
target_include_directories(launcher_without_picture PRIVATE
  ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/resources)
target_link_libraries(launcher_without_picture PRIVATE launcher_core)
add_dependencies(launcher_without_picture launcher_resource_files)
kve_runtime_free_gui_program(launcher_without_picture)

if(NOT KVE_RUNS_UNDER_WINE)
  return()
endif()

# Driving the launcher from outside: the end-to-end rig, the install flow's
# steps, and the creation events that time a window's appearance.
add_library(launcher_flows STATIC support/launcher_flows.cpp)
target_include_directories(launcher_flows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support ${PROJECT_SOURCE_DIR}/tests/e2e)
target_link_libraries(launcher_flows PUBLIC e2e_driver)

add_library(bench_support STATIC
  support/figures.cpp support/window_events.cpp support/cpu_placement.cpp support/bench_programs.cpp)
target_link_libraries(bench_support PUBLIC launcher_flows)
target_compile_definitions(bench_support PRIVATE
  LAUNCHER_PROGRAM="$<TARGET_FILE:launcher>"
  STEP_FLOOR_PROGRAM="$<TARGET_FILE:step_floor>"
  EMPTY_DIALOG_PROGRAM="$<TARGET_FILE:empty_dialog>")

# What the launcher is timed against: the copy's step design at its floor (in
# the launcher's own copy dialog template) and an empty modal dialog.
add_executable(step_floor WIN32 step_floor.cpp $<TARGET_OBJECTS:launcher_resources>)
target_include_directories(step_floor PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e ${PROJECT_SOURCE_DIR}/resources)
kve_gui_program(step_floor)
add_executable(empty_dialog WIN32 empty_dialog.cpp empty_dialog.rc)
kve_gui_program(empty_dialog)

function(kve_bench_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE bench_support)
  add_dependencies(${name} launcher step_floor empty_dialog)
  kve_console_program(${name})
endfunction()

kve_bench_program(copy_bench copy_bench.cpp copy_loops.cpp)
kve_bench_program(stop_bench stop_bench.cpp copy_loops.cpp)
kve_bench_program(startup_bench startup_bench.cpp)
kve_bench_program(decode_bench decode_bench.cpp $<TARGET_OBJECTS:launcher_resources>)
