add_executable(fetch_bench ${CMAKE_CURRENT_LIST_DIR}/fetch_bench.cpp)
target_link_libraries(fetch_bench PRIVATE chenglan_web chenglan_test_site benchmark::benchmark)
