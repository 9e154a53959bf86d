# Cross-compiles the calculator for 64-bit little-endian POWER Linux (ppc64el)
# with Debian's g++-powerpc64le-linux-gnu against the multiarch libraries (for
# the tests, libgtest-dev:ppc64el). There long double is IBM's pair of doubles,
# whose range is that of double. The tests and the golden sessions run the
# program under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(CMAKE_C_COMPILER powerpc64le-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc64le-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE powerpc64le-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/powerpc64le-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc64le)
