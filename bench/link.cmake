varno_add_bench(NAME link_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/LinkBench.cpp LIBS varno4core QridHtSp layer_testing)
