varno_add_bench(NAME frame_windows_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/FrameWindowsBench.cpp LIBS layer_mfc)
