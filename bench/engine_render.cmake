varno_add_bench(NAME engine_render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/EngineRenderBench.cpp
  LIBS catalogue_installation tagcode_builder ddm_tool)
