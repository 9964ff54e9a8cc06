# 32-bit x86 Linux with Debian's g++-multilib. The code generation is the
# i686 DLL's (CMakeLists.txt adds SSE2 math and stack realignment for i686),
# and this machine runs what it builds, so the whole test suite runs on
# 32-bit pointers and 4-byte aligned doubles.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
# Runnable here: the bank generator and the tests run as in a native build.
set(CMAKE_CROSSCOMPILING FALSE)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
# pkg-config would offer the 64-bit libraries' flags; only i386 ones fit.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/lib32/pkgconfig:/usr/share/pkgconfig)
