varno_add_bench(NAME orderlist_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/OrderListBench.cpp LIBS protocolcore)
