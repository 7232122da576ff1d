# The picture control's decoders; libtiff decodes the same TIFF beside ours.
find_package(TIFF REQUIRED)
varno_add_bench(NAME picture_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/PictureBench.cpp
                LIBS QridIMG imaging_testing layer_testing TIFF::TIFF PAIRED)
