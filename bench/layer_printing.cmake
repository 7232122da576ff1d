varno_add_bench(NAME layer_printing_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/LayerPrintingBench.cpp
  LIBS layer_qt layer_testing)
add_dependencies(layer_printing_bench layer_print)
