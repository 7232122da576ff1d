# varno_add_test(NAME name SOURCES files... LIBS libs... [SHARDS n])
# One GoogleTest program per folder's tests/. CTest runs it as n shards (4 unless
# told), each a process of its own running every n-th case: starting a process
# per case would cost more than most cases take.
# VARNO_TEST_DATA names the test's source folder (for fixtures kept beside it).
# The sources compile in unity batches of VARNO_TEST_UNITY_BATCH: each test file
# alone spends most of its time on the same test-framework and layer headers.
# Names kept to one file (anonymous namespace, static) must therefore differ
# between the test files of one program, and no test may rely on the tests of
# another file having run before it: the batches change that order.
# The programs of one shard reach only each other's windows (VARNO_IPC_SPACE).
# Without tests in the build (release), nothing is made; callers that refer to
# the test's target check if(TARGET name).
set(VARNO_TEST_UNITY_BATCH 8 CACHE STRING "Test sources compiled together in one unity batch")
function(varno_add_test)
  cmake_parse_arguments(T "" "NAME;SHARDS" "SOURCES;LIBS" ${ARGN})
  if(NOT VARNO_TESTS)
    return()
  endif()
  if(NOT T_SHARDS)
    set(T_SHARDS 4)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${VARNO_TEST_UNITY_BATCH})
  # A batch includes the test files as GCC would headers: a test of a fixture
  # in the file's anonymous namespace is no risk there, though GCC warns of it.
  target_compile_options(${T_NAME} PRIVATE -Wno-subobject-linkage)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE VARNO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}")
  math(EXPR last "${T_SHARDS} - 1")
  foreach(shard RANGE 0 ${last})
    add_test(NAME ${T_NAME}/${shard} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${T_NAME}/${shard} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;VARNO_IPC_SPACE=process;GTEST_BRIEF=1;GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()

# varno_share_where_used_settings(name shards)
# The where-used program keeps its user settings beside itself, in the build's
# program folder: the tests that run it or write those settings run one at a time.
function(varno_share_where_used_settings name shards)
  if(NOT VARNO_TESTS)
    return()
  endif()
  math(EXPR last "${shards} - 1")
  foreach(shard RANGE 0 ${last})
    set_tests_properties(${name}/${shard} PROPERTIES RESOURCE_LOCK where_used_user_settings)
  endforeach()
endfunction()

# varno_add_bench(NAME name SOURCES files... LIBS libs... [PAIRED])
# PAIRED: the benchmarks set ours beside peers (bench/Pairing.h) and the
# program prints the ratios of the pairings after the table.
function(varno_add_bench)
  cmake_parse_arguments(B "PAIRED" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  if(B_PAIRED)
    # The pairings and their main, built once for all paired benchmarks.
    if(NOT TARGET bench_pairing)
      add_library(bench_pairing STATIC ${PROJECT_SOURCE_DIR}/bench/Pairing.cpp)
      target_link_libraries(bench_pairing PUBLIC benchmark::benchmark)
      target_include_directories(bench_pairing PUBLIC ${PROJECT_SOURCE_DIR})
    endif()
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} bench_pairing)
  else()
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  endif()
endfunction()

# Embedded resources keep their data in file-local names of their own (image,
# ...), which must not meet those of the sources in a unity batch.
function(varno_keep_out_of_unity_batches source)
  set_source_files_properties(${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# varno_add_resources(TARGET target FILES type id file [type id file ...])
# Compiles files into a program or shared library as its resources, found by
# FindResource(module, id, type) of the layer (platform/win32/Resources.h).
# type: CURSOR, BITMAP, ICON, MENU, DIALOG, STRING, ACCELERATOR, RCDATA,
# GROUP_CURSOR, GROUP_ICON, VERSION (the platform's numbered types), a number,
# or any other word as a named type ("Image"). id: a number or a name. A
# BITMAP file is a BMP file; its 14-byte file header is left out, as the
# platform keeps bitmap resources. Files are relative to the calling folder.
# Once per target.
function(varno_add_resources)
  cmake_parse_arguments(R "" "TARGET" "FILES" ${ARGN})
  if(NOT TARGET ${R_TARGET})
    return()  # a test target without tests in the build
  endif()
  get_target_property(kind ${R_TARGET} TYPE)
  if(kind STREQUAL "STATIC_LIBRARY")
    message(FATAL_ERROR "varno_add_resources: ${R_TARGET}: resources belong to programs and shared libraries")
  endif()
  list(LENGTH R_FILES count)
  math(EXPR rest "${count} % 3")
  if(count EQUAL 0 OR NOT rest EQUAL 0)
    message(FATAL_ERROR "varno_add_resources: ${R_TARGET}: FILES takes triples of type, id and file")
  endif()
  # The manifest lists type, id and file a line each, the files made absolute.
  set(manifest "")
  set(files "")
  set(position 0)
  foreach(item IN LISTS R_FILES)
    math(EXPR column "${position} % 3")
    if(column EQUAL 2)
      cmake_path(ABSOLUTE_PATH item BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
      list(APPEND files ${item})
    endif()
    string(APPEND manifest "${item}\n")
    math(EXPR position "${position} + 1")
  endforeach()
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${R_TARGET}_resources)
  file(GENERATE OUTPUT ${folder}/manifest.txt CONTENT "${manifest}")
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResources.cmake)
  add_custom_command(OUTPUT ${folder}/Resources.cpp
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${folder}/manifest.txt -DOUTPUT=${folder}/Resources.cpp -P ${script}
    DEPENDS ${files} ${folder}/manifest.txt ${script}
    COMMENT "Embedding the resources of ${R_TARGET}"
    VERBATIM)
  varno_keep_out_of_unity_batches(${folder}/Resources.cpp)
  target_sources(${R_TARGET} PRIVATE ${folder}/Resources.cpp)
  target_link_libraries(${R_TARGET} PRIVATE layer_win32)
endfunction()

# varno_add_resource_script(TARGET target SCRIPT file.rc)
# Compiles a resource script (the platform's own text form, with a resource.h
# for the ids and win32/ResourceScript.h for the platform's constants) with
# binutils' resource compiler into a .res file, checks every resource in it
# and embeds it into the program or shared library, where FindResource,
# LoadString, LoadMenu, DialogBoxParam ... of the layer find them. Files the
# script names (bitmaps, icons, cursors) lie beside it. A VERSIONINFO block
# becomes the module's version information. Once per target.
find_program(VARNO_WINDRES x86_64-w64-mingw32-windres)
function(varno_add_resource_script)
  cmake_parse_arguments(R "" "TARGET;SCRIPT" "" ${ARGN})
  if(NOT TARGET ${R_TARGET})
    return()  # a test target without tests in the build
  endif()
  if(NOT VARNO_WINDRES)
    message(FATAL_ERROR "varno_add_resource_script: the resource compiler x86_64-w64-mingw32-windres "
      "(Debian package binutils-mingw-w64-x86-64) is missing; scripts/deps installs it")
  endif()
  cmake_path(ABSOLUTE_PATH R_SCRIPT BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE OUTPUT_VARIABLE script)
  cmake_path(GET script PARENT_PATH script_folder)
  cmake_path(GET script STEM stem)
  file(GLOB beside CONFIGURE_DEPENDS ${script_folder}/*)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${R_TARGET}_resources)
  set(res ${folder}/${stem}.res)
  set(source ${folder}/${stem}_res.cpp)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${VARNO_WINDRES} --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED --codepage=1252
      -I ${CMAKE_SOURCE_DIR}/platform -I ${script_folder} --input-format=rc --output-format=res
      -i ${script} -o ${res}
    DEPENDS ${beside} ${CMAKE_SOURCE_DIR}/platform/win32/ResourceScript.h
      ${CMAKE_SOURCE_DIR}/platform/win32/ControlStyles.h ${CMAKE_SOURCE_DIR}/platform/win32/WindowStyles.h
    WORKING_DIRECTORY ${script_folder}
    COMMENT "Compiling the resource script of ${R_TARGET}"
    VERBATIM)
  add_custom_command(OUTPUT ${source}
    COMMAND layer_res_embed ${res} ${source}
    DEPENDS ${res} layer_res_embed
    COMMENT "Checking and embedding the resources of ${R_TARGET}"
    VERBATIM)
  varno_keep_out_of_unity_batches(${source})
  target_sources(${R_TARGET} PRIVATE ${source})
  target_link_libraries(${R_TARGET} PRIVATE layer_win32)
endfunction()
