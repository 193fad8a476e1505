# The screenshot test: the real application under Xvfb, photographed and compared with the same page
# drawn in-process. Its pictures are kept in <build>/gui-artefacts.
file(GLOB quib_gui_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*.cpp)
if(quib_gui_tests AND TARGET quib AND QUIB_LAST_FOLDER_TARGET)
  add_executable(test_gui ${quib_gui_tests} $<TARGET_OBJECTS:quib_test_main>)
  target_include_directories(test_gui PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_gui PRIVATE ${QUIB_LAST_FOLDER_TARGET} GTest::gtest Qt6::Test)
  target_precompile_headers(test_gui REUSE_FROM quib_platform)
  add_dependencies(test_gui quib)
  target_compile_definitions(test_gui PRIVATE
      ${QUIB_PATH_DEFINITIONS}
      QUIB_BINARY="$<TARGET_FILE:quib>"
      QUIB_CAPTURE_SCRIPT="${CMAKE_SOURCE_DIR}/tests/gui/capture-window.sh"
      QUIB_GUI_ARTEFACTS_DIR="${CMAKE_BINARY_DIR}/gui-artefacts")
  add_test(NAME gui COMMAND test_gui)
  set_tests_properties(gui PROPERTIES TIMEOUT 300)
endif()
