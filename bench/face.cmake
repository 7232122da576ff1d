varno_add_bench(NAME face_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/FaceBench.cpp LIBS varno4core)
