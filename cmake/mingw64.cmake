# The same sources as 64-bit Windows programs, for machines whose kernel runs no
# 32-bit code: there the program and its tests run under Wine's 64-bit loader.
set(TYMP_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32.cmake)
