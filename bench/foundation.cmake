varno_add_bench(NAME foundation_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/CDynBufBench.cpp LIBS foundation)
