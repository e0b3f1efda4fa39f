#pragma once
// Inputs for the pack benchmark: a text, a generated picture, and the game's own data when a
// pack or a folder of pictures is named on the command line.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "display/data_pack.h"

struct BenchInput {
  std::string label;
  std::vector<std::vector<uint8_t>> files;  // each compressed as its own entry
};

inline std::vector<uint8_t> benchReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The GPL-3 text when installed, else generated English-like text of the same size.
inline BenchInput benchText() {
  const char* const path = "/usr/share/common-licenses/GPL-3";
  if (std::filesystem::exists(path)) return {"text (GPL-3)", {benchReadFile(path)}};
  static const char* const kWords[] = {"the ", "program ", "license ", "you ", "may ", "copy ", "and ",
                                       "modify ", "it, ", "under ", "these ", "terms.\n"};
  std::mt19937 rng(1);
  std::string text;
  while (text.size() < 35149) text += kWords[rng() % std::size(kWords)];
  return {"text (generated)", {std::vector<uint8_t>(text.begin(), text.end())}};
}

// 1024 x 768 RGBA: diagonal gradients with a little noise, like a background before PNG.
inline BenchInput benchPixels() {
  std::mt19937 rng(2);
  std::vector<uint8_t> pixels;
  pixels.reserve(1024 * 768 * 4);
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const int noise = static_cast<int>(rng() % 5) - 2;
      pixels.push_back(static_cast<uint8_t>((x / 4 + noise) & 0xff));
      pixels.push_back(static_cast<uint8_t>((y / 3) & 0xff));
      pixels.push_back(static_cast<uint8_t>(((x + y) / 7) & 0xff));
      pixels.push_back(255);
    }
  }
  return {"RGBA pixels 1024x768", {pixels}};
}

// Every entry of a data pack, or every .png/.ogg file of a folder.
inline BenchInput benchGameData(const std::string& path) {
  BenchInput input{"game data (" + path + ")", {}};
  if (std::filesystem::is_directory(path)) {
    for (const auto& item : std::filesystem::recursive_directory_iterator(path)) {
      const std::string ext = item.path().extension().string();
      if (item.is_regular_file() && (ext == ".png" || ext == ".ogg")) input.files.push_back(benchReadFile(item.path()));
    }
    return input;
  }
  DataPack pack;
  if (!pack.open(path)) return input;
  for (const PackEntry& entry : pack.entries()) {
    std::vector<uint8_t> data(static_cast<size_t>(entry.unpackedSize));
    if (pack.unpack(entry.name, data.data(), data.size()) == static_cast<int64_t>(data.size())) {
      input.files.push_back(std::move(data));
    }
  }
  return input;
}
