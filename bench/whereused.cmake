varno_add_bench(NAME whereused_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/WhereUsedBench.cpp
  LIBS whereusedcore PAIRED)
