varno_add_bench(NAME ipc_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/IpcBench.cpp LIBS layer_ipc layer_testing)
