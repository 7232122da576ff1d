find_package(Qt6 REQUIRED COMPONENTS Gui)
varno_add_bench(NAME raster_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/RasterBench.cpp
  LIBS QridDib QridBmp QridTpL foundation Qt6::Gui PAIRED)
