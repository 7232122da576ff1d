# The picture view of the screen layout; pictures load through the decoder
# plug-ins beside the program.
varno_add_bench(NAME picture_zoom_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PictureZoomBench.cpp
                LIBS varno4core layer_testing)
add_dependencies(picture_zoom_bench QridBmp)
