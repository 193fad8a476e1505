# The fidelity test: small pages drawn by the canvas and shown by headless Chromium, compared pixel by
# pixel. Its side-by-side pictures are kept in <build>/fidelity-artefacts.
file(GLOB quib_fidelity_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fidelity/*.cpp)
if(quib_fidelity_tests AND TARGET quib_canvas)
  add_executable(test_fidelity ${quib_fidelity_tests} $<TARGET_OBJECTS:quib_test_main>)
  target_include_directories(test_fidelity PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_fidelity PRIVATE quib_canvas GTest::gtest Qt6::Test)
  target_precompile_headers(test_fidelity REUSE_FROM quib_platform)
  target_compile_definitions(test_fidelity PRIVATE
      ${QUIB_PATH_DEFINITIONS}
      QUIB_FIDELITY_ARTEFACTS_DIR="${CMAKE_BINARY_DIR}/fidelity-artefacts")
  add_test(NAME fidelity COMMAND test_fidelity)
  set_tests_properties(fidelity PROPERTIES TIMEOUT 600)
endif()
