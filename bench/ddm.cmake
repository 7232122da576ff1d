varno_add_bench(NAME ddm_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/DdmBench.cpp LIBS QorDdm ddm_tool layer_testing)
