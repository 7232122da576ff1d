varno_add_bench(NAME engine_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/EngineBench.cpp LIBS varno4core)
