# Writes a C++ source whose function returns the contents of a text file, so that the program
# carries the file and needs no path to it at run time.
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DFUNCTION=name -P EmbedText.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} at build time; do not edit.\n"
  "#include <string_view>\n\n"
  "namespace {\nconst char text[] = {\n    ${bytes}'\\0'};\n}\n\n"
  "std::string_view ${FUNCTION}() {\n    return std::string_view(text, ${size});\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
