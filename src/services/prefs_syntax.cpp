#include "services/prefs_syntax.h"

#include "services/text_encoding.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeading(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

std::string_view TrimTrailing(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

char FoldAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Our own writer never produces a line break inside an element; a value that carries one (a strange
// LANG, say) is flattened so the file stays readable.
std::string WithoutLineBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// Reads one line (without its end) into the document, or nothing when it has no meaning.
void ParseLine(std::string_view raw, std::vector<PrefsDocument::Line>& lines) {
  const std::string_view line = TrimLeading(raw);
  if (line.empty()) return;
  if (line.front() == ';') {
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);  // the blank our writer puts there
    lines.push_back({PrefsDocument::LineKind::Comment, std::string(text), {}});
    return;
  }
  if (line.front() == '[') {
    const std::string_view rest = line.substr(1);
    lines.push_back({PrefsDocument::LineKind::Group, std::string(rest.substr(0, rest.find(']'))), {}});
    return;
  }
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  lines.push_back({PrefsDocument::LineKind::Key, std::string(TrimTrailing(line.substr(0, equals))),
                   std::string(TrimLeading(line.substr(equals + 1)))});
}

}  // namespace

bool PrefsNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiUpper(a[i]) != FoldAsciiUpper(b[i])) return false;
  }
  return true;
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimTrailing(TrimLeading(text))); }

int32_t ParsePrefsInt(std::string_view value) {
  size_t pos = 0;
  while (pos < value.size() && IsBlank(value[pos])) ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == '-' || value[pos] == '+')) {
    negative = value[pos] == '-';
    ++pos;
  }
  // Unsigned arithmetic wraps modulo 2^32, which is exactly the reduction to the low 32 bits.
  uint32_t magnitude = 0;
  while (pos < value.size() && value[pos] >= '0' && value[pos] <= '9') {
    magnitude = magnitude * 10u + static_cast<uint32_t>(value[pos] - '0');
    ++pos;
  }
  const uint32_t bits = negative ? 0u - magnitude : magnitude;
  return static_cast<int32_t>(bits);
}

PrefsDocument PrefsDocument::Parse(std::string_view bytes) {
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const std::string text = bytes.starts_with(kByteOrderMark) ? SanitizeUtf8(bytes.substr(kByteOrderMark.size()))
                                                             : Latin1ToUtf8(bytes);
  PrefsDocument document;
  const std::string_view view(text);
  size_t start = 0;
  while (start < view.size()) {
    size_t end = view.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = view.size();
    ParseLine(view.substr(start, end - start), document.lines_);
    start = end + 1;  // an LF after a CR only makes an empty line, which is skipped
  }
  return document;
}

bool PrefsDocument::selectGroup(std::string_view group) {
  selectedName_ = std::string(group);
  hasSelection_ = true;
  groupFound_ = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Group && PrefsNamesEqual(lines_[i].name, group)) {
      selectedLine_ = i;
      groupFound_ = true;
      break;
    }
  }
  return groupFound_;
}

size_t PrefsDocument::selectedGroupEnd() const {
  size_t i = selectedLine_ + 1;
  while (i < lines_.size() && lines_[i].kind != LineKind::Group) ++i;
  return i;
}

std::string PrefsDocument::readText(std::string_view key, const std::string& fallback) const {
  if (!groupFound_) return fallback;
  const size_t end = selectedGroupEnd();
  for (size_t i = selectedLine_ + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::Key && PrefsNamesEqual(lines_[i].name, key)) {
      return std::string(TrimTrailing(lines_[i].value));
    }
  }
  return fallback;
}

int64_t PrefsDocument::readInt(std::string_view key, int64_t fallback) const {
  if (!groupFound_) return fallback;
  const size_t end = selectedGroupEnd();
  for (size_t i = selectedLine_ + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::Key && PrefsNamesEqual(lines_[i].name, key)) {
      return ParsePrefsInt(lines_[i].value);
    }
  }
  return fallback;
}

void PrefsDocument::writeComment(const std::string& text) {
  lines_.push_back({LineKind::Comment, WithoutLineBreaks(text), {}});
}

void PrefsDocument::writeText(const std::string& key, const std::string& value) {
  if (!hasSelection_) selectGroup("");
  if (!groupFound_) {
    lines_.push_back({LineKind::Group, WithoutLineBreaks(selectedName_), {}});
    selectedLine_ = lines_.size() - 1;
    groupFound_ = true;
  }
  const size_t end = selectedGroupEnd();
  for (size_t i = selectedLine_ + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::Key && PrefsNamesEqual(lines_[i].name, key)) {
      lines_[i].value = WithoutLineBreaks(value);
      return;
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end),
                {LineKind::Key, WithoutLineBreaks(key), WithoutLineBreaks(value)});
}

void PrefsDocument::writeInt(const std::string& key, int64_t value) {
  writeText(key, std::to_string(static_cast<int32_t>(static_cast<uint32_t>(value))));
}

std::vector<PrefsDocument::Group> PrefsDocument::groups() const {
  std::vector<Group> result;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Group) {
      result.push_back({line.name, {}});
    } else if (line.kind == LineKind::Key && !result.empty()) {
      result.back().keys.push_back({line.name, line.value});
    }
  }
  return result;
}

std::string PrefsDocument::serialise() const {
  std::string out = "\xEF\xBB\xBF\n";
  for (const Line& line : lines_) {
    switch (line.kind) {
      case LineKind::Comment:
        out += "; " + line.name;
        break;
      case LineKind::Group:
        out += "[" + line.name + "]";
        break;
      case LineKind::Key:
        out += line.name + " = " + line.value;
        break;
    }
    out += '\n';
  }
  return out;
}
