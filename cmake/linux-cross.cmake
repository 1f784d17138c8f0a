# Shared by the Linux cross builds, which set QUALM_CROSS_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR first: Debian's cross compiler for the triple,
# linked statically so that qemu-user (Debian: qemu-user) runs the result
# without the target's libraries, and the tests run under it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${QUALM_CROSS_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${QUALM_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CMAKE_SYSTEM_PROCESSOR})
