find_package(Qt6 REQUIRED COMPONENTS Gui)
varno_add_bench(NAME printing_render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintingRenderBench.cpp
  LIBS QorVod32 foundation layer_win32 layer_qt layer_testing Qt6::Gui PAIRED)
