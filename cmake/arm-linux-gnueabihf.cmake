# Cross-compiles the calculator for 32-bit Arm Linux with hardware floating
# point (armhf) with Debian's g++-arm-linux-gnueabihf against the multiarch
# libraries (for the tests, libgtest-dev:armhf). There long double is double and
# glibc's maths is built without fused multiply-add. The tests and the golden
# sessions run the program under qemu-user, which finds the Arm libraries where
# multiarch put them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/arm-linux-gnueabihf/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm)
