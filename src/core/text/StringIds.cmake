# Writes a header of named string numbers from the string table: every line
# "number<TAB>Name<TAB>text" gives "inline constexpr int Name = number;" in
# namespace quiren::S. Include it with INPUT and OUTPUT set, or run it as a
# script:
#   cmake -DINPUT=<StringTable.txt> -DOUTPUT=<StringIds.h> -P StringIds.cmake
# A name given twice fails the compile of the header, so no name can quietly
# point at the wrong string.
get_filename_component(tableName "${INPUT}" NAME)
file(READ "${INPUT}" table)
# Matched as whole lines from the text itself rather than file(STRINGS), which
# would split a line at a ";" in its text.
string(REGEX MATCHALL "\n[0-9]+\t[A-Z][A-Za-z0-9]*\t" entries "\n${table}")
set(constants "")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "([0-9]+)\t([A-Za-z0-9]+)" unused "${entry}")
  string(APPEND constants "inline constexpr int ${CMAKE_MATCH_2} = ${CMAKE_MATCH_1};\n")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${tableName}; do not edit: name strings in the table.\n"
"#pragma once\n\n"
"namespace quiren::S {\n\n${constants}\n} // namespace quiren::S\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
