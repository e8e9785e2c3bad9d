# 32-bit x86 Linux (Debian: g++-i686-linux-gnu, qemu-user); the tests run
# under qemu-i386, as not every x86-64 kernel runs 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVANE_CROSS_TRIPLET i686-linux-gnu)
set(KORVANE_CROSS_MULTIARCH i386-linux-gnu)
set(KORVANE_CROSS_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/LinuxCross.cmake)
