# Shared by the Linux cross toolchains: Debian's cross compiler for
# KORVANE_CROSS_TRIPLET, the target's libraries (GMP, GoogleTest) from the
# multiarch directories of KORVANE_CROSS_MULTIARCH under /, and programs run
# through the qemu-user emulator KORVANE_CROSS_QEMU, which finds the target's
# loader and libraries under / as well (-L /).
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${KORVANE_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${KORVANE_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${KORVANE_CROSS_MULTIARCH})

# pkg-config reads only the target's .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${KORVANE_CROSS_MULTIARCH}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

find_program(KORVANE_CROSS_EMULATOR ${KORVANE_CROSS_QEMU})
if(KORVANE_CROSS_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_CROSS_EMULATOR} -L /)
endif()
