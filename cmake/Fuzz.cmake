# Fuzz targets, built only on request and with clang (libFuzzer):
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUIB_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_page_parser
#   build-fuzz/fuzz_page_parser tests/fuzz/corpus tests/fixtures/pages
# Inputs that find a fault go into tests/fuzz/corpus; the document tests replay that folder.
option(QUIB_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(QUIB_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUIB_FUZZ needs clang (set CMAKE_CXX_COMPILER=clang++)")
  endif()
  set(QUIB_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer)
  # The parser and what it calls carry coverage so the fuzzer can steer.
  foreach(lib quib_platform quib_editions quib_model quib_document)
    if(TARGET ${lib})
      target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link ${QUIB_SANITIZE_FLAGS})
      target_link_options(${lib} INTERFACE ${QUIB_SANITIZE_FLAGS})
    endif()
  endforeach()
  add_executable(fuzz_page_parser ${CMAKE_SOURCE_DIR}/tests/fuzz/PageParserFuzz.cpp)
  target_compile_options(fuzz_page_parser PRIVATE -fsanitize=fuzzer ${QUIB_SANITIZE_FLAGS})
  target_link_options(fuzz_page_parser PRIVATE -fsanitize=fuzzer ${QUIB_SANITIZE_FLAGS})
  target_link_libraries(fuzz_page_parser PRIVATE quib_document)
endif()
