# The main window inside the test program: placement, painting, palette
# messages and which commands end it.
kve_windows_test(main_window_test main_window_test.cpp)
