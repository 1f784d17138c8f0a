# Shared by the Linux cross builds, which set QUALM_CROSS_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR first: Debian's cross compiler for the triple, and
# qemu-user (Debian: qemu-user) to run the tests under. Their presets link
# fully static (QUALM_STATIC), so that it needs none of the target's libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${QUALM_CROSS_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${QUALM_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CMAKE_SYSTEM_PROCESSOR})
