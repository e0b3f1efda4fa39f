// vesperine-langpack OUT.pack FILE...: packs the language files into the game's language pack.
#include <cstdio>
#include <string>
#include <vector>

#include "langpack_writer.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.pack FILE...\n", argv[0]);
    return 2;
  }
  const std::vector<std::string> files(argv + 2, argv + argc);
  std::string error;
  if (!WriteLanguagePack(argv[1], files, error)) {
    std::fprintf(stderr, "vesperine-langpack: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
