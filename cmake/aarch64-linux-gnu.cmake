# Cross-compiles the calculator for 64-bit Arm Linux with Debian's
# g++-aarch64-linux-gnu against the multiarch libraries (for the tests,
# libgtest-dev:arm64). The tests and the golden sessions run the
# program under qemu-user, which finds the Arm libraries where multiarch put them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
