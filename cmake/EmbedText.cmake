# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DSYMBOL=NAME -P EmbedText.cmake
# Writes FILE's bytes as a C++ array NAME (with a NUL after them) and its length NAME##Size,
# so that the program carries a shipped text file as it was when the program was built.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Made from ${name} by cmake/EmbedText.cmake when the program is built.\n"
  "#include <stddef.h>\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
  "extern const size_t ${SYMBOL}Size = ${size};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
