# Each folder of Quib/ becomes a static library quib_<folder>, and tests/<folder> one GoogleTest
# executable registered with CTest. A folder with no sources yet is skipped, and the next folder
# links what the skipped one would have passed on.
set(QUIB_LAST_FOLDER_TARGET "")

# The one main() of every test executable, compiled once for all of them.
add_library(quib_test_main OBJECT ${CMAKE_SOURCE_DIR}/tests/common/TestMain.cpp)
target_link_libraries(quib_test_main PUBLIC Qt6::Widgets GTest::gtest)
set(QUIB_CARRIED_DEPS "")

function(quib_folder name)
  cmake_parse_arguments(QF "" "" "DEPS" ${ARGN})
  set(deps "")
  foreach(dep IN LISTS QF_DEPS)
    if(dep MATCHES "^quib_" AND NOT TARGET ${dep})
      list(APPEND deps ${QUIB_CARRIED_DEPS})
    else()
      list(APPEND deps ${dep})
    endif()
  endforeach()

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/Quib/${name}/*.cpp ${CMAKE_SOURCE_DIR}/Quib/${name}/*.h)
  if(NOT sources)
    set(QUIB_CARRIED_DEPS "${deps}" PARENT_SCOPE)
    return()
  endif()

  set(target quib_${name})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/Quib)
  target_link_libraries(${target} PUBLIC ${deps})
  # One precompiled Qt header for the whole tree: every folder reuses the platform's.
  if(name STREQUAL "platform")
    target_precompile_headers(${target} PRIVATE ${CMAKE_SOURCE_DIR}/Quib/platform/QtPch.h)
  else()
    target_precompile_headers(${target} REUSE_FROM quib_platform)
  endif()
  set(QUIB_CARRIED_DEPS "${target}" PARENT_SCOPE)
  set(QUIB_LAST_FOLDER_TARGET "${target}" PARENT_SCOPE)

  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp)
  if(tests)
    add_executable(test_${name} ${tests} $<TARGET_OBJECTS:quib_test_main>)
    target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(test_${name} PRIVATE ${target} GTest::gtest Qt6::Test)
    target_precompile_headers(test_${name} REUSE_FROM quib_platform)
    target_compile_definitions(test_${name} PRIVATE ${QUIB_PATH_DEFINITIONS})
    add_test(NAME ${name} COMMAND test_${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  endif()
endfunction()
