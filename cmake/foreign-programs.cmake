# Decides once, when the build is configured, how the programs of a cross
# build are run on this machine: directly where its kernel starts them, and
# through VS_FALLBACK_EMULATOR (set by the toolchain file, qemu-i386 say)
# where it does not. An amd64 kernel built without 32-bit support refuses an
# i386 program with "Exec format error", and the shell then reads it as a
# script; test discovery, the tests and the golden sessions would all fail.
# An emulator given on the command line (-DCMAKE_CROSSCOMPILING_EMULATOR=...)
# is used as it is, without the probe.
#
# The decision is kept in the cache as VS_EMULATOR (empty: run directly), for
# scripts that run the built program themselves.
if(CMAKE_CROSSCOMPILING AND VS_FALLBACK_EMULATOR AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(probe_dir ${CMAKE_BINARY_DIR}/CMakeFiles/foreign-program-probe)
  file(WRITE ${probe_dir}/probe.cc "int main() { return 0; }\n")
  try_compile(probe_built ${probe_dir}/build ${probe_dir}/probe.cc
              COPY_FILE ${probe_dir}/probe OUTPUT_VARIABLE probe_log)
  if(NOT probe_built)
    message(FATAL_ERROR "The cross compiler cannot build a program:\n${probe_log}")
  endif()
  execute_process(COMMAND ${probe_dir}/probe RESULT_VARIABLE probe_status
                  OUTPUT_QUIET ERROR_QUIET)
  if(probe_status STREQUAL "0")
    message(STATUS "This kernel starts ${CMAKE_SYSTEM_PROCESSOR} programs: the tests run them directly")
  else()
    find_program(VS_FALLBACK_EMULATOR_PATH ${VS_FALLBACK_EMULATOR})
    if(NOT VS_FALLBACK_EMULATOR_PATH)
      message(FATAL_ERROR
        "This kernel does not start ${CMAKE_SYSTEM_PROCESSOR} programs (${probe_status}), and "
        "${VS_FALLBACK_EMULATOR} is not installed to run them. Install it with: apt-get install qemu-user")
    endif()
    message(STATUS "This kernel does not start ${CMAKE_SYSTEM_PROCESSOR} programs (${probe_status}): "
                   "the tests run them under ${VS_FALLBACK_EMULATOR}")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VS_FALLBACK_EMULATOR})
  endif()
endif()
set(VS_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}" CACHE INTERNAL
    "How the built programs are run on this machine (empty: directly)")
