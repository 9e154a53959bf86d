# What a user installs: the program, its manual pages in English and German,
# and README, LICENSE and CHANGELOG; and the Debian package and Windows ZIP
# made of them with CPack.
include(GNUInstallDirs)

configure_file(man/vergleichsspannung.1.in man/vergleichsspannung.1 @ONLY)
configure_file(man/de/vergleichsspannung.1.in man/de/vergleichsspannung.1 @ONLY)

if(WIN32)
  # Readers on Windows get CR LF line ends and the manual as plain text.
  set(VS_DOC_DIR .)
  foreach(doc README.md LICENSE)
    file(READ ${CMAKE_CURRENT_SOURCE_DIR}/${doc} text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/${doc}.txt "${text}")
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
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/README.md.txt DESTINATION . RENAME README.txt)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/LICENSE.txt ${VS_MANUAL_TEXT} DESTINATION .)
else()
  set(VS_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vergleichsspannung)
  install(TARGETS vergleichsspannung RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/vergleichsspannung.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/de/vergleichsspannung.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
  install(FILES README.md LICENSE CHANGELOG.md DESTINATION ${VS_DOC_DIR})
endif()

set(CPACK_PACKAGE_NAME vergleichsspannung)
set(CPACK_PACKAGE_VENDOR "The vergleichsspannung authors")
set(CPACK_PACKAGE_CONTACT "The vergleichsspannung authors <authors@vergleichsspannung.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive calculator of equivalent stresses")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

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
stress SigV. The dialogue is German. Replies on a terminal are edited with
libedit; from a script, every byte of standard input is a key.")

if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME vergleichsspannung-${PROJECT_VERSION}-windows-x86_64)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
