varno_add_bench(NAME printing_pictures_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintingPicturesBench.cpp
  LIBS QorVod32 foundation layer_win32)
