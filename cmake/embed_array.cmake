# cmake -DIN=file -DOUT=file.cpp -DSYMBOL=name -P embed_array.cmake
# Writes the bytes of IN as the array SYMBOL_begin (with one more zero byte, so that an empty
# file still makes an array).
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}.tmp" "// Generated from ${IN}.\n\
extern \"C\" {\n\
alignas(16) extern const unsigned char ${SYMBOL}_begin[${size} + 1] = {\n${bytes}0};\n\
}\n")
file(RENAME "${OUT}.tmp" "${OUT}")
