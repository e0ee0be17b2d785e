# Writes IN as `extern const unsigned char SYMBOL[]` plus its size into OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUT} "#include <cstddef>\nextern const unsigned char ${SYMBOL}[] = {${bytes}0x00};\nextern const std::size_t ${SYMBOL}_size = ${size};\n")
