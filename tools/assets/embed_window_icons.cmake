# Writes OUTPUT, a C++ source holding the PNG files of INPUTS (a list) as the byte arrays that
# src/platform/real/session/window_icons.h declares.
#   cmake -DOUTPUT=window_icons.cpp "-DINPUTS=a.png;b.png" -P embed_window_icons.cmake
set(arrays "")
set(pointers "")
set(sizes "")
set(index 0)
foreach(input IN LISTS INPUTS)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes_text "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes_text "${bytes_text}")
  string(APPEND arrays "const unsigned char icon${index}[${bytes}] = {\n${bytes_text}};\n")
  string(APPEND pointers "icon${index}, ")
  string(APPEND sizes "${bytes}, ")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Written by tools/assets/embed_window_icons.cmake from the game's icon pictures.
#include \"platform/real/session/window_icons.h\"

namespace {
${arrays}}  // namespace

extern const unsigned char* const kWindowIconPngs[] = {${pointers}};
extern const size_t kWindowIconPngSizes[] = {${sizes}};
extern const size_t kWindowIconCount = ${index};
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
