varno_add_bench(NAME platform_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PlatformBench.cpp LIBS layer_win32)
