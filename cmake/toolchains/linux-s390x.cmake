# 64-bit big-endian IBM Z Linux (Debian: g++-s390x-linux-gnu, qemu-user).
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(KORVANE_CROSS_TRIPLET s390x-linux-gnu)
set(KORVANE_CROSS_MULTIARCH s390x-linux-gnu)
set(KORVANE_CROSS_QEMU qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/LinuxCross.cmake)
