if(TARGET chenglan)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_library(startup_probe MODULE ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
  target_link_libraries(startup_probe PRIVATE Qt6::Widgets)
  add_executable(bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
  target_link_libraries(bare_window PRIVATE Qt6::Widgets)

  add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
  target_link_libraries(startup_bench PRIVATE chenglan_demo_pages chenglan_test_site
                        benchmark::benchmark)
  target_compile_definitions(startup_bench PRIVATE
    CHENGLAN_PROGRAM="$<TARGET_FILE:chenglan>"
    CHENGLAN_BARE_WINDOW="$<TARGET_FILE:bare_window>"
    CHENGLAN_STARTUP_PROBE="$<TARGET_FILE:startup_probe>")
  add_dependencies(startup_bench chenglan bare_window startup_probe)
endif()
