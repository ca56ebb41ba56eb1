add_executable(web_http_tests
  ${CMAKE_CURRENT_LIST_DIR}/http_request_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_faults_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_fetch_bytes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_transport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_concurrency_test.cpp
)
target_include_directories(web_http_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(web_http_tests PRIVATE chenglan_web chenglan_test_site GTest::gtest_main)
# A broken time-out would hang a test; the limit turns that into a failure.
gtest_discover_tests(web_http_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
