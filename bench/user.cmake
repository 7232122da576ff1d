varno_add_bench(NAME user_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/UserBench.cpp LIBS layer_user)
varno_add_resource_script(TARGET user_bench SCRIPT ${CMAKE_SOURCE_DIR}/platform/user/tests/res/UserTests.rc)
