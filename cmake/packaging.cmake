# What a user installs: the program, its manual pages in English and German,
# and the README, the changelog and the licence; and the Debian package and
# Windows ZIP made of them with CPack. tools/release makes every release file.
include(GNUInstallDirs)

configure_file(man/vergleichsspannung.1.in man/vergleichsspannung.1 @ONLY)
configure_file(man/de/vergleichsspannung.1.in man/de/vergleichsspannung.1 @ONLY)

# Folders made by an install are rwxr-xr-x, whatever the umask of the builder.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

if(WIN32)
  # The program names itself and its version in Windows' file properties and
  # declares in its manifest that it runs as the user who starts it.
  enable_language(RC)
  configure_file(windows/vergleichsspannung.manifest windows/vergleichsspannung.manifest @ONLY)
  configure_file(windows/vergleichsspannung.rc.in windows/vergleichsspannung.rc @ONLY)
  target_sources(vergleichsspannung PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/windows/vergleichsspannung.rc)
  # No link time in the PE header: the same sources give the same .exe.
  target_link_options(vergleichsspannung PRIVATE -Wl,--no-insert-timestamp)

  # Readers on Windows get CR LF line ends and the manual as plain text.
  foreach(doc README.md LICENSE CHANGELOG.md)
    file(READ ${CMAKE_CURRENT_SOURCE_DIR}/${doc} text)
    string(REPLACE "\n" "\r\n" text "${text}")
    get_filename_component(name ${doc} NAME_WE)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/${name}.txt "${text}")
  endforeach()
  find_program(VS_GROFF groff)
  find_program(VS_PRECONV preconv)
  if(NOT VS_GROFF OR NOT VS_PRECONV)
    message(FATAL_ERROR "groff is needed to write the manual as text: apt-get install groff-base")
  endif()
  foreach(page vergleichsspannung vergleichsspannung.de)
    if(page STREQUAL "vergleichsspannung")
      set(source ${CMAKE_CURRENT_BINARY_DIR}/man/vergleichsspannung.1)
    else()
      set(source ${CMAKE_CURRENT_BINARY_DIR}/man/de/vergleichsspannung.1)
    endif()
    add_custom_command(
      OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/windows/${page}.txt
      COMMAND sh -c "'${VS_PRECONV}' '${source}' | '${VS_GROFF}' -man -Tutf8 -P-cbou | sed 's/$/\\r/' > '${CMAKE_CURRENT_BINARY_DIR}/windows/${page}.txt'"
      DEPENDS ${source}
      VERBATIM)
    list(APPEND VS_MANUAL_TEXT ${CMAKE_CURRENT_BINARY_DIR}/windows/${page}.txt)
  endforeach()
  add_custom_target(manual_text ALL DEPENDS ${VS_MANUAL_TEXT})
  install(TARGETS vergleichsspannung RUNTIME DESTINATION .)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/README.txt
                ${CMAKE_CURRENT_BINARY_DIR}/windows/LICENSE.txt
                ${CMAKE_CURRENT_BINARY_DIR}/windows/CHANGELOG.txt
                ${VS_MANUAL_TEXT}
          DESTINATION .)
else()
  # Manual pages and changelog go compressed, without name and time in the
  # gzip header; the changelog in Debian's form, as Debian's tools read it;
  # the licence as the machine-readable copyright file.
  find_program(VS_GZIP gzip)
  if(NOT VS_GZIP)
    message(FATAL_ERROR "gzip is needed to compress the manual pages: apt-get install gzip")
  endif()
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_CURRENT_SOURCE_DIR}/CHANGELOG.md
            -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/changelog -DPACKAGE=vergleichsspannung
            "-DMAINTAINER=The vergleichsspannung authors <authors@vergleichsspannung.invalid>"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian-changelog.cmake
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/CHANGELOG.md ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian-changelog.cmake
    VERBATIM)
  set(VS_COMPRESSED)
  foreach(file man/vergleichsspannung.1 man/de/vergleichsspannung.1 changelog)
    add_custom_command(
      OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
      COMMAND sh -c "'${VS_GZIP}' -9n -c '${CMAKE_CURRENT_BINARY_DIR}/${file}' > '${CMAKE_CURRENT_BINARY_DIR}/${file}.gz'"
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file}
      VERBATIM)
    list(APPEND VS_COMPRESSED ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz)
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${VS_COMPRESSED})

  set(VS_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vergleichsspannung)
  install(TARGETS vergleichsspannung RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/vergleichsspannung.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/de/vergleichsspannung.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
  install(FILES README.md packaging/copyright DESTINATION ${VS_DOC_DIR})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${VS_DOC_DIR})
endif()

set(CPACK_PACKAGE_NAME vergleichsspannung)
set(CPACK_PACKAGE_VENDOR "The vergleichsspannung authors")
set(CPACK_PACKAGE_CONTACT "The vergleichsspannung authors <authors@vergleichsspannung.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive calculator of equivalent stresses")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/zip-sorted.cmake)
else()
  # Strips the staged program as Debian does, leftover sections included.
  set(CPACK_VS_STRIP ${CMAKE_STRIP})
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/strip-staged.cmake)
  set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/deb-installed-size.cmake)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The long description; CPack puts the summary line in front.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A console calculator for strength-of-materials work: choose a stress state
(spatial, plane, axisymmetric, plate) and a strength hypothesis (distortion
energy GEH / von Mises, normal stress NH, shear stress SH / Tresca), type the
stress components in N/mm2, and get the principal stresses and the equivalent
stress SigV. The dialogue is German. Replies on a terminal are edited on the
reply line; from a script, every byte of standard input is a key.")

# The ZIP and the source archive unpack into one folder named like the file.
if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME vergleichsspannung-${PROJECT_VERSION}-windows-x86_64)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# cpack --config CPackSourceConfig.cmake: one archive of the sources in one
# folder, without build folders, packages or version control. tools/release
# takes the tracked files of the commit instead.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME vergleichsspannung-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES
    "^${CMAKE_CURRENT_SOURCE_DIR}/\\\\.git"
    "^${CMAKE_CURRENT_SOURCE_DIR}/build"
    "^${CMAKE_CURRENT_SOURCE_DIR}/dist"
    "^${CMAKE_CURRENT_SOURCE_DIR}/fuzz-work"
    "\\\\.(deb|zip|tar\\\\.gz|tar\\\\.xz)$")
include(CPack)
