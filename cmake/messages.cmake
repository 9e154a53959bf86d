# The warnings in the user's language: the German catalogue po/de.po is
# compiled with msgfmt into the build folder, where the program finds it
# beside itself, and installed into share/locale. Windows has no gettext
# runtime: there the warnings stay English.
include(GNUInstallDirs)
# The sources whose texts are marked with Translated().
file(GLOB VS_TRANSLATED_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/console/*.cc ${CMAKE_CURRENT_SOURCE_DIR}/console/terminal/*.cc
     ${CMAKE_CURRENT_SOURCE_DIR}/command_line/*.cc)
if(NOT WIN32)
  # gettext() itself: in the C library on glibc, in libintl elsewhere.
  find_package(Intl)
  find_package(Gettext)
  if(NOT Intl_FOUND)
    message(FATAL_ERROR
      "libintl was not found, so the warnings cannot be translated. "
      "Install it with: apt-get install gettext (or libintl on other systems)")
  endif()
  target_include_directories(text PRIVATE ${Intl_INCLUDE_DIRS})
  target_link_libraries(text PRIVATE ${Intl_LIBRARIES})
  # FindGettext finds msgfmt; the catalogue's checks need xgettext and msgcmp too.
  set(VS_MSGFMT ${GETTEXT_MSGFMT_EXECUTABLE})
  find_program(VS_XGETTEXT xgettext)
  find_program(VS_MSGCMP msgcmp)
  if(NOT GETTEXT_FOUND OR NOT VS_XGETTEXT OR NOT VS_MSGCMP)
    message(FATAL_ERROR
      "msgfmt was not found, so the German warnings cannot be built. "
      "Install it with: apt-get install gettext")
  endif()
  set_property(SOURCE console/messages.cc APPEND PROPERTY COMPILE_DEFINITIONS
               VS_LOCALE_DIR="${CMAKE_INSTALL_FULL_LOCALEDIR}")
  set(VS_CATALOGUES)
  foreach(language de)
    set(catalogue ${CMAKE_CURRENT_BINARY_DIR}/locale/${language}/LC_MESSAGES/vergleichsspannung.mo)
    add_custom_command(
      OUTPUT ${catalogue}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/locale/${language}/LC_MESSAGES
      COMMAND ${VS_MSGFMT} --check -o ${catalogue} ${CMAKE_CURRENT_SOURCE_DIR}/po/${language}.po
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/po/${language}.po
      VERBATIM)
    list(APPEND VS_CATALOGUES ${catalogue})
    install(FILES ${catalogue} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
  endforeach()
  add_custom_target(catalogues ALL DEPENDS ${VS_CATALOGUES})
  add_dependencies(vergleichsspannung catalogues)

  # cmake --build build --target messages_pot: the template of the catalogue,
  # for msgmerge when a text changes.
  add_custom_target(messages_pot
    COMMAND ${VS_XGETTEXT} --keyword=Translated --from-code=UTF-8 --add-comments=TRANSLATORS:
            --package-name=vergleichsspannung --package-version=${PROJECT_VERSION}
            -o ${CMAKE_CURRENT_BINARY_DIR}/vergleichsspannung.pot ${VS_TRANSLATED_SOURCES}
    VERBATIM)
endif()
