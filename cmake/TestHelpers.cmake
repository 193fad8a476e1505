# The second process of the application tests that run under Xvfb: it copies to the X clipboard
# and starts drags, as another instance or a file manager would.
if(TARGET quib_canvas AND TARGET test_app)
  add_executable(quib_test_helper ${CMAKE_SOURCE_DIR}/tests/helpers/ClipboardDragHelper.cpp)
  target_include_directories(quib_test_helper PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(quib_test_helper PRIVATE quib_canvas)
  target_precompile_headers(quib_test_helper REUSE_FROM quib_platform)
  add_dependencies(test_app quib_test_helper)
  target_compile_definitions(test_app PRIVATE QUIB_TEST_HELPER="$<TARGET_FILE:quib_test_helper>")
endif()
