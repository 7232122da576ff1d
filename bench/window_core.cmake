varno_add_bench(NAME window_core_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowCoreBench.cpp LIBS layer_win32)
