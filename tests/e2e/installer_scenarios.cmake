# The installer end to end: the copy, the whole life cycle, faults during the
# work, and the screenshots of its dialogs. The scenarios use the bad-input
# group's installer texts and table text conversion (bad_input_scenarios.cmake).
target_sources(e2e_scenarios PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/folder_manifest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scratch_drives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fault_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/installer_scenario.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_copy_scenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_life_cycle_scenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_fault_scenarios.cpp)
target_link_libraries(e2e_scenarios PRIVATE installer_test_scene)

# The small drives (tmpfs, mounted as root) around a run of scenarios. Every
# scenario requires the screenshot fixture, so the drives join that one.
set(E2E_DRIVES ${CMAKE_CURRENT_BINARY_DIR}/drives)
add_test(NAME e2e_drives_mount
  COMMAND ${KVE_IN_TEST_MACHINE} ${CMAKE_CURRENT_LIST_DIR}/drives.sh mount ${E2E_DRIVES} ${KVE_WINE_PREFIX})
add_test(NAME e2e_drives_unmount
  COMMAND ${KVE_IN_TEST_MACHINE} ${CMAKE_CURRENT_LIST_DIR}/drives.sh unmount ${E2E_DRIVES} ${KVE_WINE_PREFIX})
set_tests_properties(e2e_drives_mount PROPERTIES FIXTURES_SETUP e2e_screenshots RUN_SERIAL TRUE)
set_tests_properties(e2e_drives_unmount PROPERTIES FIXTURES_CLEANUP e2e_screenshots RUN_SERIAL TRUE)
set_tests_properties(e2e_drives_mount e2e_drives_unmount PROPERTIES
  FIXTURES_REQUIRED "${KVE_TEST_MACHINE_FIXTURE}")
kve_set_time_limit(120 e2e_drives_mount e2e_drives_unmount)
