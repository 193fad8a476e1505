# Installing: the program and its modules in <prefix>/lib/quib (the modules are loaded from beside
# the program) with <prefix>/bin/quib linking to it, the resources and the shipped templates in
# <prefix>/share/quib, and for the desktop: one entry and one icon per edition, and a MIME type per
# page-document extension. An extension only one edition uses opens in that edition; one several
# editions share opens through the plain "quib" entry, which starts as the edition named in the page.
include(GNUInstallDirs)

set(QUIB_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quib)
set(QUIB_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quib)
if(TARGET quib)
  install(TARGETS quib quib_webpreview quib_transfer quib_pdf
          RUNTIME DESTINATION ${QUIB_INSTALL_LIBDIR}
          LIBRARY DESTINATION ${QUIB_INSTALL_LIBDIR})
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${QUIB_INSTALL_LIBDIR}/quib
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quib\" SYMBOLIC)")
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${QUIB_INSTALL_DATADIR}/resources
        PATTERN "*.py" EXCLUDE)
if(TARGET quib_templates_folder)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/templates/ DESTINATION ${QUIB_INSTALL_DATADIR}/templates
          PATTERN ".written" EXCLUDE)
endif()

# The desktop files, written from the list of editions.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/desktop/editions.tsv quib_edition_rows REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/desktop/editions.tsv)
set(quib_desktop_dir ${CMAKE_BINARY_DIR}/desktop)
set(quib_extensions "")
set(quib_all_extensions "")
# How many editions write each extension (quib_users_<extension>).
foreach(row IN LISTS quib_edition_rows)
  string(REPLACE "\t" ";" fields "${row}")
  list(GET fields 1 extension)
  list(APPEND quib_all_extensions ${extension})
  if(NOT DEFINED quib_users_${extension})
    set(quib_users_${extension} 0)
  endif()
  math(EXPR quib_users_${extension} "${quib_users_${extension}} + 1")
endforeach()
set(quib_shared_types "")
set(quib_mime_xml "")
list(REMOVE_DUPLICATES quib_all_extensions)
foreach(extension IN LISTS quib_all_extensions)
  if(quib_users_${extension} GREATER 1)
    string(APPEND quib_shared_types "application/x-quib-${extension};")
  endif()
  string(APPEND quib_mime_xml
         "  <mime-type type=\"application/x-quib-${extension}\">\n"
         "    <comment>Quib page document (.${extension})</comment>\n"
         "    <sub-class-of type=\"application/zip\"/>\n"
         "    <generic-icon name=\"x-office-document\"/>\n"
         "    <glob pattern=\"*.${extension}\"/>\n"
         "  </mime-type>\n")
endforeach()
file(WRITE ${quib_desktop_dir}/quib.xml
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
     "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
     "${quib_mime_xml}</mime-info>\n")

foreach(row IN LISTS quib_edition_rows)
  string(REPLACE "\t" ";" fields "${row}")
  list(GET fields 0 name)
  list(GET fields 1 extension)
  list(GET fields 2 makes)
  string(TOLOWER "${name}" slug)
  string(REGEX REPLACE "[^a-z0-9]+" "-" slug "${slug}")
  string(REGEX REPLACE "^-|-$" "" slug "${slug}")
  if(name STREQUAL "Quib")
    set(entry quib)
    set(exec "quib %F")
  else()
    set(entry quib-${slug})
    set(exec "quib --edition \"${name}\" %F")
  endif()
  set(mime "")
  if(quib_users_${extension} EQUAL 1)
    set(mime "MimeType=application/x-quib-${extension};\n")
  elseif(name STREQUAL "Quib")
    set(mime "MimeType=${quib_shared_types}\n")
  endif()
  string(SUBSTRING "${makes}" 0 1 first)
  string(TOUPPER "${first}" first)
  string(SUBSTRING "${makes}" 1 -1 rest)
  file(WRITE ${quib_desktop_dir}/${entry}.desktop
       "[Desktop Entry]\n"
       "Type=Application\n"
       "Name=${name}\n"
       "Comment=${first}${rest}\n"
       "Exec=${exec}\n"
       "Icon=quib-${slug}\n"
       "Terminal=false\n"
       "Categories=Office;Publishing;\n"
       "${mime}")
  install(FILES ${quib_desktop_dir}/${entry}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/editions/quib-${slug}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endforeach()
install(FILES ${quib_desktop_dir}/quib.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME quib)
set(CPACK_PACKAGE_VENDOR "Quib")
set(CPACK_PACKAGE_CONTACT "Quib developers <support@quib.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Page design for the web, e-mail, print and records")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
find_program(QUIB_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUIB_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core, shared-mime-info, desktop-file-utils")
include(CPack)

# The installed tree, checked as the desktop sees it.
if(TARGET quib)
  add_test(NAME install COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_BINARY_DIR}
                                ${CMAKE_SOURCE_DIR})
  set_tests_properties(install PROPERTIES TIMEOUT 300)
endif()
