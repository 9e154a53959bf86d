# Run by CPack after it has installed into its staging folder: strips the
# program as Debian's dh_strip does, so no .comment or .note section is left.
if(CPACK_TOPLEVEL_TAG MATCHES "-Source$")
  return()  # a source archive has no program
endif()
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/vergleichsspannung")
if(NOT programs)
  message(FATAL_ERROR "no program to strip under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program ${programs})
  execute_process(
    COMMAND ${CPACK_VS_STRIP} --remove-section=.comment --remove-section=.note --strip-unneeded
            ${program}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CPACK_VS_STRIP} failed on ${program}")
  endif()
endforeach()
