# DLLs planted in the demo folder under system DLL names.
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/planted ${CMAKE_CURRENT_BINARY_DIR}/planted)
