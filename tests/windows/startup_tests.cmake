kve_windows_test(startup_test startup_test.cpp)
target_link_libraries(startup_test PRIVATE installer_test_scene)  # IsReport
# Once more where the code page is not Japanese: the texts take the wide calls
# and the buttons a Japanese font.
kve_add_wine_test_in_locale(startup_cp1252_test C.UTF-8 startup_test --gtest_color=no)

# Started by the version test under a Windows version that Wine is told to
# report for it; it sits beside the test program.
add_executable(version_probe startup_resources/version_probe.cpp $<TARGET_OBJECTS:launcher_resources>)
target_link_libraries(version_probe PRIVATE windows_test_support)
kve_console_program(version_probe)
add_dependencies(startup_test version_probe)

include(${CMAKE_CURRENT_SOURCE_DIR}/startup_resources/resource_modules.cmake)
