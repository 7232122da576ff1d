varno_add_bench(NAME viewer_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/ViewerBench.cpp LIBS catalogue_installation layer_testing)
varno_add_resource_script(TARGET viewer_bench SCRIPT ${CMAKE_SOURCE_DIR}/Main/res/varno4.rc)
