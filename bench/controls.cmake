varno_add_bench(NAME controls_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlsBench.cpp LIBS layer_comctl)
