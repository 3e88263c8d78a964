# The install dialogs: directory selection, placement and the copy.
add_library(installer_test_scene STATIC ${CMAKE_CURRENT_LIST_DIR}/support/installer_scene.cpp)
target_link_libraries(installer_test_scene PUBLIC windows_test_support)

kve_windows_test(select_dialog_test select_dialog_test.cpp)
target_link_libraries(select_dialog_test PRIVATE installer_test_scene)
# The path rules once more under code page 1252, which has no double-byte characters.
kve_add_wine_test_in_locale(select_dialog_cp1252_test C.UTF-8 select_dialog_test --gtest_color=no
                            --gtest_filter=*CodePage1252*)
kve_windows_test(copy_dialog_test copy_dialog_test.cpp)
target_link_libraries(copy_dialog_test PRIVATE installer_test_scene)
# The drive calls of the selection and of the uninstall, under the error mode.
kve_windows_test(critical_errors_test critical_errors_test.cpp)
target_link_libraries(critical_errors_test PRIVATE installer_test_scene)
