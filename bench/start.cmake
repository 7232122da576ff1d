# The viewer program's start beside a plain Qt program's start (the peer).
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(qt_first_paint ${CMAKE_CURRENT_LIST_DIR}/QtFirstPaint.cpp)
target_link_libraries(qt_first_paint PRIVATE Qt6::Widgets)
varno_add_bench(NAME start_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartBench.cpp
  LIBS layer_ipc layer_win32 PAIRED)
target_compile_definitions(start_bench PRIVATE VARNO_CATALOGUE_DIR="${VARNO_CATALOGUE_DIR}")
add_dependencies(start_bench qt_first_paint varno4 catalogue)
