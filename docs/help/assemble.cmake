# Builds one program's help page from its own page and the sections the programs share.
#   cmake -DPROGRAM=kbs18r -DINPUT=<page> -DOUTPUT=<file> -P assemble.cmake
# Two directives, each at the start of a line:
#   <!--#include common/x.html-->   the named file (relative to this folder), assembled the same way
#   <!--#only kbs62d kbs18t-->text  the text only in the pages of the programs named
cmake_minimum_required(VERSION 3.25)

foreach(required PROGRAM INPUT OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "assemble.cmake needs -D${required}=...")
  endif()
endforeach()

get_filename_component(help_dir "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)

# CMake lists split at ';' (but not inside square brackets), and the pages have both; they travel
# as private markers.
set(semicolon_marker "@KBS_SEMICOLON@")
set(open_marker "@KBS_OPEN_BRACKET@")
set(close_marker "@KBS_CLOSE_BRACKET@")

function(assemble_file path depth result)
  if(depth GREATER 8)
    message(FATAL_ERROR "help sections include each other: ${path}")
  endif()
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "help section not found: ${path}")
  endif()
  file(READ "${path}" text)
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE ";" "${semicolon_marker}" text "${text}")
  string(REPLACE "[" "${open_marker}" text "${text}")
  string(REPLACE "]" "${close_marker}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(out "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*<!--#include ([^ ]+)-->[ \t]*$")
      math(EXPR deeper "${depth} + 1")
      assemble_file("${help_dir}/${CMAKE_MATCH_1}" ${deeper} included)
      string(APPEND out "${included}")
      continue()
    endif()
    if(line MATCHES "^([ \t]*)<!--#only ([a-z0-9 ]+)-->(.*)$")
      set(indent "${CMAKE_MATCH_1}")
      set(kept "${CMAKE_MATCH_3}")
      string(REPLACE " " ";" programs "${CMAKE_MATCH_2}")
      if(NOT PROGRAM IN_LIST programs)
        continue()
      endif()
      set(line "${indent}${kept}")
    elseif(line MATCHES "<!--#")
      message(FATAL_ERROR "unknown help directive in ${path}: ${line}")
    endif()
    string(APPEND out "${line}\n")
  endforeach()
  set(${result} "${out}" PARENT_SCOPE)
endfunction()

assemble_file("${INPUT}" 0 page)
string(REPLACE "${semicolon_marker}" ";" page "${page}")
string(REPLACE "${open_marker}" "[" page "${page}")
string(REPLACE "${close_marker}" "]" page "${page}")
# Only the last line's break was added by the loop above; keep exactly one at the end.
string(REGEX REPLACE "\n+$" "\n" page "${page}")
file(WRITE "${OUTPUT}.tmp" "${page}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
