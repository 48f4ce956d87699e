// Reading and writing the lines of string-table files.
#include "strings/StringTableFormat.h"

namespace {

// Undoes the escapes of one field; false (with `error` set) for a backslash before anything
// other than \ t n r #, or at the end of the field.
bool Unescape(const std::string& field, std::string& out, std::string& error) {
  out.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    char c = field[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i + 1 == field.size()) {
      error = "a backslash ends the field";
      return false;
    }
    char next = field[++i];
    switch (next) {
    case '\\':
      out += '\\';
      break;
    case 't':
      out += '\t';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    case '#':
      out += '#';
      break;
    default:
      error = std::string("unknown escape \\") + next;
      return false;
    }
  }
  return true;
}

bool ParseLine(const std::string& line, std::string& key, std::string& text, std::string& error) {
  std::size_t tab = line.find('\t');
  if (tab == std::string::npos) {
    error = "no tab between key and text";
    return false;
  }
  if (tab == 0) {
    error = "empty key";
    return false;
  }
  return Unescape(line.substr(0, tab), key, error) && Unescape(line.substr(tab + 1), text, error);
}

} // namespace

bool ParseStringTable(const std::string& text, std::map<std::string, std::string>& entries,
                      std::vector<StringTableError>& errors) {
  std::size_t errorsBefore = errors.size();
  std::size_t start = 0;
  // A byte-order mark is not part of the first key.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    start = 3;
  }
  int lineNumber = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::string key;
    std::string value;
    std::string error;
    if (!ParseLine(line, key, value, error)) {
      errors.push_back({lineNumber, error});
      continue;
    }
    auto inserted = entries.insert({key, value});
    if (!inserted.second) {
      inserted.first->second = value;
      errors.push_back({lineNumber, "the key \"" + key + "\" is given again"});
    }
  }
  return errors.size() == errorsBefore;
}

std::string EscapeStringTableField(const std::string& field, bool isKey) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    char c = field[i];
    switch (c) {
    case '\\':
      out += "\\\\";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '#':
      out += (isKey && i == 0) ? "\\#" : "#";
      break;
    default:
      out += c;
    }
  }
  return out;
}

std::string StringTableFileName(const std::string& procedure) {
  std::string name;
  bool pendingDash = false;
  for (char c : procedure) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
      letter = true;
    }
    if (!letter) {
      pendingDash = !name.empty();
      continue;
    }
    if (pendingDash) {
      name += '-';
      pendingDash = false;
    }
    name += c;
  }
  return name + ".strings";
}
