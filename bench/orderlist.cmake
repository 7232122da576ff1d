varno_add_bench(NAME orderlist_bench PAIRED SOURCES ${CMAKE_CURRENT_LIST_DIR}/OrderListBench.cpp LIBS protocolcore)
varno_add_resource_script(TARGET orderlist_bench SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../orderlist/res/protocol.rc)
