// The text syntax of the preferences file and of the language files: comment lines (";"), group lines
// ("[name]") and key lines ("name = value"), read from bytes and written back as UTF-8 with a
// byte-order mark. Preferences (preferences.cpp) and the language scan and load (languages.cpp) both
// read through this one reader, so both accept exactly the same files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PrefsDocument {
 public:
  enum class LineKind { Comment, Group, Key };

  // One meaningful line. Comment: `name` is the comment text. Group: `name` is the group name.
  // Key: `name` is the key (trailing blanks removed), `value` the text after "=" (leading blanks
  // removed, trailing ones kept; readers trim them).
  struct Line {
    LineKind kind = LineKind::Key;
    std::string name;
    std::string value;
    bool operator==(const Line&) const = default;
  };

  struct KeyValue {
    std::string name;
    std::string value;
  };
  struct Group {
    std::string name;
    std::vector<KeyValue> keys;
  };

  // Any bytes are accepted. With a leading EF BB BF the rest is UTF-8 (malformed sequences become
  // U+FFFD), otherwise every byte is an ISO 8859-1 character. Lines end at LF, CR or CR LF. Lines that
  // are neither comment, group nor hold an "=" are dropped.
  static PrefsDocument Parse(std::string_view bytes);

  // Reading and writing both act on the selected group. Returns whether the group exists; when it
  // does not, reads give their defaults and the first write adds it at the end.
  bool selectGroup(std::string_view group);
  // The first matching key of the selected group, trailing blanks and tabs removed.
  std::string readText(std::string_view key, const std::string& fallback) const;
  // Optional blanks, optional sign, decimal digits up to the first other character (none reads as
  // 0), reduced to a signed 32-bit value. A missing key gives the fallback.
  int64_t readInt(std::string_view key, int64_t fallback) const;

  void writeComment(const std::string& text);  // appended at the end of the document
  // Replaces the value of the key in the selected group in place, or adds the key at the group's end.
  void writeText(const std::string& key, const std::string& value);
  void writeInt(const std::string& key, int64_t value);  // written from its low 32 bits, signed

  // The groups in file order, each with its keys in file order (keys before the first group belong to
  // none and are not listed).
  std::vector<Group> groups() const;
  const std::vector<Line>& lines() const { return lines_; }

  // EF BB BF, LF, then one line per element, each ended by LF.
  std::string serialise() const;

 private:
  // Index of the first line after the selected group's line that is a group line (or the end).
  size_t selectedGroupEnd() const;

  std::vector<Line> lines_;
  std::string selectedName_;
  bool hasSelection_ = false;
  size_t selectedLine_ = 0;  // valid only when groupFound_
  bool groupFound_ = false;
};

// Case-insensitive comparison of group and key names; only the letters A-Z fold.
bool PrefsNamesEqual(std::string_view a, std::string_view b);

// Removes blanks and tabs from both ends (language header keys and translation texts).
std::string TrimBlanks(std::string_view text);

// The integer reading rule of readInt applied to a value text.
int32_t ParsePrefsInt(std::string_view value);
