# Run by CPack after it has made the ZIP: writes it again with Info-ZIP, so
# that it holds nothing of the builder: files in name order (CPack takes the
# order the file system lists them in), modes 644 and 755, no owner fields,
# DOS times in UTC and, when SOURCE_DATE_EPOCH is set, all at that time.
find_program(zip zip)
if(NOT zip)
  message(FATAL_ERROR "zip is needed to write the ZIP: apt-get install zip")
endif()
foreach(package ${CPACK_PACKAGE_FILES})
  if(NOT package MATCHES "\\.zip$")
    continue()
  endif()
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/zip-sorted)
  file(REMOVE_RECURSE ${tree})
  file(MAKE_DIRECTORY ${tree})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${package} WORKING_DIRECTORY ${tree}
                  COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE files RELATIVE ${tree} ${tree}/*)
  list(SORT files)
  foreach(file ${files})
    if(file MATCHES "\\.exe$")
      file(CHMOD ${tree}/${file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
           GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
      file(CHMOD ${tree}/${file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
  endforeach()
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} -- ${files} WORKING_DIRECTORY ${tree}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE ${package})
  # -X: no extra fields (owner, extended times); -D: no folder entries.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${zip} -q -X -D -9 ${package} -- ${files}
                  WORKING_DIRECTORY ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
