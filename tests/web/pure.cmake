add_executable(web_pure_tests
  ${CMAKE_CURRENT_LIST_DIR}/url_parts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cookies_test.cpp
)
target_link_libraries(web_pure_tests PRIVATE chenglan_web GTest::gtest_main)
gtest_discover_tests(web_pure_tests DISCOVERY_MODE PRE_TEST)
