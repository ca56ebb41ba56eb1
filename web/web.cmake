pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
target_link_libraries(chenglan_web PUBLIC PkgConfig::CURL)
