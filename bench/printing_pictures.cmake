# An HPGL plot to a PBM as a program of its own: the benchmark runs it as a
# whole process beside hp2xx.
add_executable(hpgl_to_pbm ${CMAKE_CURRENT_LIST_DIR}/HpglToPbmProgram.cpp)
target_link_libraries(hpgl_to_pbm PRIVATE QorVod32 foundation layer_win32)
# It shows nothing: the screen backend comes only if the plot asks for text or shapes.
set_target_properties(hpgl_to_pbm PROPERTIES VARNO_SCREEN_ON_DEMAND ON)
varno_add_bench(NAME printing_pictures_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintingPicturesBench.cpp
  LIBS QorVod32 foundation layer_win32 PAIRED)
add_dependencies(printing_pictures_bench hpgl_to_pbm)
target_compile_definitions(printing_pictures_bench PRIVATE VARNO_HPGL_TO_PBM="$<TARGET_FILE:hpgl_to_pbm>")
