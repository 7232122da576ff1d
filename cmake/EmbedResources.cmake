# Script mode: cmake -DMANIFEST=m -DOUTPUT=o -P EmbedResources.cmake
# MANIFEST holds type, id and file path, one a line, per resource (written by
# varno_add_resources); OUTPUT becomes a source file that lists the bytes of
# every file and registers them as the module's resources when it loads.

set(numbered_types CURSOR 1 BITMAP 2 ICON 3 MENU 4 DIALOG 5 STRING 6 FONTDIR 7 FONT 8 ACCELERATOR 9
  RCDATA 10 MESSAGETABLE 11 GROUP_CURSOR 12 GROUP_ICON 14 VERSION 16)

# The C++ expression for a type or id: a number below 0x10000 or a name.
function(id_expression text out)
  if(text MATCHES "^[0-9]+$")
    if(text GREATER 65535)
      message(FATAL_ERROR "resource id ${text} is above 65535")
    endif()
    set(${out} "MAKEINTRESOURCE(${text})" PARENT_SCOPE)
  elseif(text MATCHES "^[A-Za-z_][A-Za-z0-9_.-]*$")
    set(${out} "\"${text}\"" PARENT_SCOPE)
  else()
    message(FATAL_ERROR "resource name \"${text}\" is neither a number nor a plain name")
  endif()
endfunction()

function(type_expression text out)
  list(FIND numbered_types "${text}" at)
  if(at GREATER_EQUAL 0)
    math(EXPR at "${at} + 1")
    list(GET numbered_types ${at} text)
  endif()
  id_expression("${text}" expression)
  set(${out} "${expression}" PARENT_SCOPE)
endfunction()

file(STRINGS "${MANIFEST}" lines)
list(LENGTH lines count)
set(arrays "")
set(entries "")
set(n 0)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 3)
  math(EXPR at_id "${i} + 1")
  math(EXPR at_file "${i} + 2")
  list(GET lines ${i} type)
  list(GET lines ${at_id} id)
  list(GET lines ${at_file} file)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "resource file ${file} does not exist")
  endif()
  if(type STREQUAL "BITMAP")
    file(READ "${file}" magic LIMIT 2 HEX)
    file(SIZE "${file}" file_size)
    if(NOT magic STREQUAL "424d" OR file_size LESS 54)
      message(FATAL_ERROR "bitmap resource ${file} is not a BMP file")
    endif()
    file(READ "${file}" hex OFFSET 14 HEX)
  else()
    file(READ "${file}" hex HEX)
  endif()
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  if(size EQUAL 0)
    set(bytes "0")
  else()
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  endif()
  type_expression("${type}" type_code)
  id_expression("${id}" id_code)
  string(APPEND arrays "// ${file}\nalignas(8) const BYTE data${n}[] = {${bytes}};\n")
  string(APPEND entries "    {${type_code}, ${id_code}, data${n}, ${size}},\n")
  math(EXPR n "${n} + 1")
endforeach()

file(WRITE "${OUTPUT}" "// Generated from the resource files of this module; do not edit.
#include \"win32/Resources.h\"

namespace {

${arrays}
const layer::ResourceEntry entries[] = {
${entries}};

const layer::ModuleResources resources(entries, sizeof entries / sizeof entries[0]);

}  // namespace
")
