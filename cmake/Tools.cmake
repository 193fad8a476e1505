# Test aids that are programs of their own.
#   quib_pagetool DOCUMENT [--edition NAME] [--save-to PATH]
# opens a page document through the real open flow and prints each graphic's property dictionary
# as JSON; with --save-to it saves the page as a new document.
if(TARGET quib_publishing)
  add_executable(quib_pagetool ${CMAKE_SOURCE_DIR}/tests/tools/PageTool.cpp)
  target_link_libraries(quib_pagetool PRIVATE quib_publishing)
  target_precompile_headers(quib_pagetool REUSE_FROM quib_platform)

  # bench/upload-ftp.sh drives UploadFTPS through this.
  add_executable(quib_uploaddriver EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/upload-driver.cpp)
  target_link_libraries(quib_uploaddriver PRIVATE quib_publishing)

  # The document tests open and save real page archives: they install the publishing folder's
  # archiver in their set-up, as the application does at start-up.
  if(TARGET test_document)
    target_link_libraries(test_document PRIVATE quib_publishing)
    add_dependencies(test_document quib_pagetool)
    target_compile_definitions(test_document PRIVATE QUIB_PAGETOOL="$<TARGET_FILE:quib_pagetool>")
  endif()
endif()
