# Cross-compiles the calculator for 32-bit x86 Linux with Debian's
# g++-i686-linux-gnu against the multiarch libraries (for the tests,
# libgtest-dev:i386). An amd64 kernel starts the program as it is only where
# it was built with 32-bit support (most are, not all): the configure step
# tries, and where the kernel refuses, the tests and the golden sessions run
# the program under qemu-i386 (cmake/foreign-programs.cmake).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(VS_FALLBACK_EMULATOR qemu-i386)
