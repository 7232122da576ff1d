varno_add_bench(NAME frame_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/FrameBench.cpp LIBS varno4core layer_testing)
