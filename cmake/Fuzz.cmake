# Fuzz targets, built only on request and with clang (libFuzzer):
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUIB_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_page_parser fuzz_archive_reader fuzz_clipboard
#   build-fuzz/fuzz_page_parser tests/fuzz/corpus tests/fixtures/pages
#   build-fuzz/fuzz_archive_reader tests/fuzz/corpus-archive
#   LSAN_OPTIONS=suppressions=tests/fuzz/lsan.supp build-fuzz/fuzz_clipboard tests/fuzz/corpus-clipboard
# Inputs that find a fault go into the target's corpus folder; the ordinary tests replay every
# corpus folder (the document tests the parser's and the clipboard's, the publishing tests the
# archive reader's).
option(QUIB_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(QUIB_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUIB_FUZZ needs clang (set CMAKE_CXX_COMPILER=clang++)")
  endif()
  set(QUIB_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer)
  # Every library a target reaches carries coverage and the sanitizers, so the fuzzer can steer
  # and the libraries link with each other (document and generation call each other).
  foreach(lib quib_platform quib_editions quib_model quib_document quib_generation quib_publishing)
    if(TARGET ${lib})
      target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link ${QUIB_SANITIZE_FLAGS})
      target_link_options(${lib} INTERFACE ${QUIB_SANITIZE_FLAGS})
    endif()
  endforeach()

  function(quib_fuzz_target name source library)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${QUIB_SANITIZE_FLAGS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer ${QUIB_SANITIZE_FLAGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz)
    target_link_libraries(${name} PRIVATE ${library})
  endfunction()
  quib_fuzz_target(fuzz_page_parser PageParserFuzz.cpp quib_document)
  quib_fuzz_target(fuzz_archive_reader ArchiveReaderFuzz.cpp quib_publishing)
  quib_fuzz_target(fuzz_clipboard ClipboardFuzz.cpp quib_publishing)
endif()
