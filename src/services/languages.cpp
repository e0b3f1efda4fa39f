#include "services/languages.h"

#include <dirent.h>

#include <memory>
#include <utility>
#include <vector>

#include "services/file_bytes.h"
#include "services/language_pack.h"
#include "services/log.h"
#include "services/paths.h"
#include "services/prefs_syntax.h"

namespace {

constexpr const char* kExtension = ".language";
constexpr const char* kHeaderGroup = "LANGUAGE FILE";

// The entry name without its last extension.
std::string CodeOfEntry(const std::string& name) { return name.substr(0, name.rfind('.')); }

// Files in a directory pack, in the order the file system lists them: {entry name, bytes}.
int ReadDirectoryLanguages(const std::string& dir, std::vector<LanguageFile>& entries) {
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(dir.c_str()), closedir);
  if (!listing) return 0;
  while (const dirent* item = readdir(listing.get())) {
    const std::string name = item->d_name;
    if (!IsLanguageEntryName(name)) continue;
    std::string bytes;
    if (ReadFileBytes(dir + "/" + name, bytes)) entries.push_back({name, std::move(bytes)});
  }
  return 1;
}

void AddLanguageRecord(const LanguageFile& file, LanguageTable& info) {
  PrefsDocument document = PrefsDocument::Parse(file.bytes);
  document.selectGroup(kHeaderGroup);
  const auto header = [&document](const char* key) { return TrimBlanks(document.readText(key, "")); };
  LanguageInfo& record = info[header("tLangFileNAME")];
  record.code = CodeOfEntry(file.name);
  record.version = header("tLangFileVERSION");
  record.date = header("tLangFileDATE");
  record.author = header("tLangFileAUTHOR");
  record.langId = header("tLangFileLANGID");
  record.software = header("tLangFileSOFTWARE");
}

int AddLanguages(int listed, const std::vector<LanguageFile>& files, LanguageTable& info, LanguageList& list) {
  if (!listed) return 0;
  for (const LanguageFile& file : files) AddLanguageRecord(file, info);
  RebuildLanguageList(info, list);
  return 1;
}

// Keys before the first group are not loaded; the header keys are loaded like any others.
void PutTranslations(const std::string& bytes, Translations& translations) {
  for (const PrefsDocument::Group& group : PrefsDocument::Parse(bytes).groups()) {
    for (const PrefsDocument::KeyValue& key : group.keys) translations.set(key.name, TrimBlanks(key.value));
  }
}

// A code names a file at the top level of the pack, never one elsewhere.
bool IsPlainCode(const std::string& code) { return code.find_first_of("/\\") == std::string::npos; }

int LoadFromSource(const LanguagePackSource& source, const std::string& code, Translations& translations) {
  if (!IsPlainCode(code)) return 0;
  std::string bytes;
  if (!ReadPackEntry(source, code + kExtension, bytes)) return 0;
  PutTranslations(bytes, translations);
  return 1;
}

}  // namespace

int ScanLanguages(const std::string& packPath, LanguageTable& info, LanguageList& list) {
  std::vector<LanguageFile> files;
  if (IsDirectory(packPath)) return AddLanguages(ReadDirectoryLanguages(packPath, files), files, info, list);
  if (!PathExists(packPath)) return 0;
  return AddLanguages(ReadLanguageEntries(LanguagePackSource{packPath, nullptr, 0}, files), files, info, list);
}

int ScanLanguagePackMemory(const void* data, size_t size, LanguageTable& info, LanguageList& list) {
  std::vector<LanguageFile> files;
  return AddLanguages(ReadLanguageEntries(LanguagePackSource{{}, data, size}, files), files, info, list);
}

void RebuildLanguageList(const LanguageTable& info, LanguageList& list) {
  list.clear();
  for (const LanguageInfo& record : info.inOrder()) list.add({record.code, record.name});
}

int LoadLanguage(const std::string& packPath, const std::string& code, Translations& translations) {
  if (IsDirectory(packPath)) {
    std::string bytes;
    if (!IsPlainCode(code) || !ReadFileBytes(packPath + "/" + code + kExtension, bytes)) return 0;
    PutTranslations(bytes, translations);
    return 1;
  }
  if (!PathExists(packPath)) return 0;
  return LoadFromSource(LanguagePackSource{packPath, nullptr, 0}, code, translations);
}

int LoadLanguageFromMemory(const void* data, size_t size, const std::string& code, Translations& translations) {
  return LoadFromSource(LanguagePackSource{{}, data, size}, code, translations);
}

std::string LoadLanguageLogLine(const std::string& code, int result) {
  return "Load language (" + code + "):" + Tabs(2) + (result ? "OK" : "FAILED");
}

int64_t LanguageIndex(LanguageList& list, const std::string& code) {
  if (!list.first()) return 0;
  do {
    if (list.current()->code == code) return list.currentIndex();
  } while (list.next());
  return 0;
}
