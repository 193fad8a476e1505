# Test aids that are programs of their own.
#   quib_pagetool DOCUMENT [--edition NAME] [--save-to PATH]
# opens a page document through the real open flow and prints each graphic's property dictionary
# as JSON; with --save-to it saves the page as a new document.
if(TARGET quib_app)
  add_executable(quib_pagetool ${CMAKE_SOURCE_DIR}/tests/tools/PageTool.cpp)
  target_link_libraries(quib_pagetool PRIVATE quib_publishing)
  target_precompile_headers(quib_pagetool REUSE_FROM quib_platform)

  # bench/upload-ftp.sh drives UploadFTPS through this.
  add_executable(quib_uploaddriver EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/upload-driver.cpp)
  target_link_libraries(quib_uploaddriver PRIVATE quib_publishing)

  # bench/catalog-photos.sh and bench/catalog-folders.sh time the catalog steps through this.
  add_executable(quib_catalogdriver EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/catalog-driver.cpp)
  target_link_libraries(quib_catalogdriver PRIVATE quib_window)
  target_precompile_headers(quib_catalogdriver REUSE_FROM quib_platform)

  # bench/labels-pdf.sh times label sheets composed from a merge file through this.
  add_executable(quib_labelsdriver EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/labels-driver.cpp)
  target_link_libraries(quib_labelsdriver PRIVATE quib_window)
  target_precompile_headers(quib_labelsdriver REUSE_FROM quib_platform)

  # The document tests open and save real page archives: they install the publishing folder's
  # archiver in their set-up, as the application does at start-up.
  if(TARGET test_document)
    target_link_libraries(test_document PRIVATE quib_publishing)
    add_dependencies(test_document quib_pagetool)
    target_compile_definitions(test_document PRIVATE QUIB_PAGETOOL="$<TARGET_FILE:quib_pagetool>")
  endif()
endif()

# The page documents the application ships (blank, form, starter, sample, chooser and Getting Started pages
# of every edition, and the website themes) are written at build time by the application's own save
# flow into <build>/templates, where DataCentre::templatesPath() finds them.
if(TARGET quib_app)
  add_executable(quib_templates ${CMAKE_SOURCE_DIR}/tests/tools/TemplatesTool.cpp)
  target_link_libraries(quib_templates PRIVATE quib_app)
  target_precompile_headers(quib_templates REUSE_FROM quib_platform)
  set(QUIB_TEMPLATES_STAMP ${CMAKE_BINARY_DIR}/templates/.written)
  add_custom_command(
    OUTPUT ${QUIB_TEMPLATES_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/templates
    # Under the sanitizers the toolkit's own process-lifetime allocations are not this step's concern.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:quib_templates>
            ${CMAKE_BINARY_DIR}/templates
    COMMAND ${CMAKE_COMMAND} -E touch ${QUIB_TEMPLATES_STAMP}
    DEPENDS quib_templates
    COMMENT "Writing the shipped page templates")
  add_custom_target(quib_templates_folder ALL DEPENDS ${QUIB_TEMPLATES_STAMP})
  foreach(consumer quib test_app test_window)
    if(TARGET ${consumer})
      add_dependencies(${consumer} quib_templates_folder)
    endif()
  endforeach()
endif()
