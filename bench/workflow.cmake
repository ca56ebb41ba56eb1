if(TARGET chenglan_app)
  add_executable(workflow_bench ${CMAKE_CURRENT_LIST_DIR}/workflow_bench.cpp)
  target_link_libraries(workflow_bench PRIVATE chenglan_app chenglan_search chenglan_test_site
                        benchmark::benchmark)
endif()
