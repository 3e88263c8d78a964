# Bad typed paths and odd install records, run through the launcher; the
# group's table is printed when the program ends.
target_sources(e2e_scenarios PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bad_input_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bad_input_scenario.cpp
  ${CMAKE_CURRENT_LIST_DIR}/typed_path_scenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_record_scenarios.cpp)
