varno_add_bench(NAME hotspots_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/HotspotsBench.cpp LIBS QridHtSp)
