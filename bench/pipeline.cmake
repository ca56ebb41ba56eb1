add_executable(pipeline_bench ${CMAKE_CURRENT_LIST_DIR}/pipeline_bench.cpp)
target_link_libraries(pipeline_bench PRIVATE chenglan_regex chenglan_text benchmark::benchmark)
