varno_add_bench(NAME internet_server_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/InternetServerBench.cpp LIBS catalogue_installation layer_testing)
varno_add_resource_script(TARGET internet_server_bench SCRIPT ${CMAKE_SOURCE_DIR}/Main/res/varno4.rc)
