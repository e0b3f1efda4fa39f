# Writes OUTPUT, a C++ source holding the PNG files of INPUTS (a list) as the byte arrays NAMEPngs,
# NAMEPngSizes and NAMECount that the header HEADER (a path under src/) declares.
#   cmake -DOUTPUT=window_icons.cpp "-DINPUTS=a.png;b.png" -DNAME=kWindowIcon
#         -DHEADER=platform/real/session/window_icons.h -P embed_pictures.cmake
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
  string(APPEND arrays "const unsigned char picture${index}[${bytes}] = {\n${bytes_text}};\n")
  string(APPEND pointers "picture${index}, ")
  string(APPEND sizes "${bytes}, ")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Written by tools/assets/embed_pictures.cmake from the game's pictures.
#include \"${HEADER}\"

namespace {
${arrays}}  // namespace

extern const unsigned char* const ${NAME}Pngs[] = {${pointers}};
extern const size_t ${NAME}PngSizes[] = {${sizes}};
extern const size_t ${NAME}Count = ${index};
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
