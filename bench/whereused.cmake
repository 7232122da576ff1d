# The search as a program of its own: the benchmark runs it as a whole
# process beside grep.
add_executable(whereused_search ${CMAKE_CURRENT_LIST_DIR}/WhereUsedSearchProgram.cpp)
target_link_libraries(whereused_search PRIVATE whereusedcore)
varno_add_bench(NAME whereused_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/WhereUsedBench.cpp
  LIBS whereusedcore PAIRED)
add_dependencies(whereused_bench whereused_search)
target_compile_definitions(whereused_bench PRIVATE VARNO_WHEREUSED_SEARCH="$<TARGET_FILE:whereused_search>")
