# 64-bit ARM Linux (Debian: g++-aarch64-linux-gnu, qemu-user).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KORVANE_CROSS_TRIPLET aarch64-linux-gnu)
set(KORVANE_CROSS_MULTIARCH aarch64-linux-gnu)
set(KORVANE_CROSS_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/LinuxCross.cmake)
