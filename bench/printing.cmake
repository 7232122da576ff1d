varno_add_bench(NAME printing_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintingBench.cpp LIBS QorVod32 foundation)
