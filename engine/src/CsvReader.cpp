// The data file reader: libcsv splits the records (RFC 4180 quoting), this file types the columns.
// Two passes over the bytes, the first to type the columns and check the file, the second to fill
// them, so that no cell is held as text longer than its own parse: a numeric cell costs 8 bytes.
#include "engine/CsvReader.h"

#include "engine/Engine.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <csv.h>
#include <fstream>
#include <functional>
#include <limits>
#include <string_view>
#include <vector>

namespace engine {
namespace {

enum class CellKind { kEmpty, kNA, kNumber, kDate, kText };

std::string_view Trimmed(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t'))
    cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t'))
    cell.remove_suffix(1);
  return cell;
}

bool ParseNumber(std::string_view cell, double& value) {
  if (cell.empty())
    return false;
  const char* begin = cell.data();
  const char* end = begin + cell.size();
  // from_chars takes no '+' sign; a second sign after it stays an error.
  if (*begin == '+' && end - begin > 1 && begin[1] != '-')
    ++begin;
  const auto result = std::from_chars(begin, end, value, std::chars_format::general);
  return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// Days from 1 January 1970 in the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

bool Digits(std::string_view text, std::size_t at, std::size_t count, unsigned& value) {
  if (at + count > text.size())
    return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return true;
}

// "1973-05-01", optionally followed by " 12:30", " 12:30:15" or " 12:30:15.25" (or 'T' for the
// space), as seconds from 14 October 1582, the origin of the dictionary's date formats.
bool ParseDate(std::string_view cell, double& seconds) {
  unsigned year = 0, month = 0, day = 0;
  if (cell.size() < 10 || !Digits(cell, 0, 4, year) || cell[4] != '-' ||
      !Digits(cell, 5, 2, month) || cell[7] != '-' || !Digits(cell, 8, 2, day))
    return false;
  static constexpr unsigned kDaysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12 || day < 1 || day > kDaysIn[month - 1] ||
      (month == 2 && day == 29 && !leap))
    return false;
  double time = 0;
  if (cell.size() > 10) {
    unsigned hour = 0, minute = 0, second = 0;
    if ((cell[10] != ' ' && cell[10] != 'T') || !Digits(cell, 11, 2, hour) || cell.size() < 16 ||
        cell[13] != ':' || !Digits(cell, 14, 2, minute) || hour > 23 || minute > 59)
      return false;
    std::size_t at = 16;
    if (at < cell.size()) {
      if (cell[at] != ':' || !Digits(cell, at + 1, 2, second) || second > 59)
        return false;
      at += 3;
    }
    double fraction = 0;
    if (at < cell.size()) {
      if (cell[at] != '.' || at + 1 == cell.size())
        return false;
      double scale = 0.1;
      for (std::size_t i = at + 1; i < cell.size(); ++i, scale /= 10) {
        if (cell[i] < '0' || cell[i] > '9')
          return false;
        fraction += scale * (cell[i] - '0');
      }
    }
    time = hour * 3600.0 + minute * 60.0 + second + fraction;
  }
  static const long long kOrigin = DaysFromCivil(1582, 10, 14);
  seconds = static_cast<double>(DaysFromCivil(year, month, day) - kOrigin) * 86400.0 + time;
  return true;
}

CellKind Classify(std::string_view cell, double& value) {
  cell = Trimmed(cell);
  if (cell.empty())
    return CellKind::kEmpty;
  if (cell == "NA")
    return CellKind::kNA;
  if (ParseNumber(cell, value))
    return CellKind::kNumber;
  if (ParseDate(cell, value))
    return CellKind::kDate;
  return CellKind::kText;
}

// Empty when `cell` is well-formed UTF-8 without control characters other than tab and line
// breaks; else what is wrong with it.
const char* TextFault(std::string_view cell) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(cell.data());
  const std::size_t size = cell.size();
  for (std::size_t i = 0; i < size;) {
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      if (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r')
        return "a control character in a cell";
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    } else {
      return "invalid UTF-8";
    }
    if (i + length > size)
      return "invalid UTF-8";
    for (std::size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0u) != 0x80u)
        return "invalid UTF-8";
      code = (code << 6) | (bytes[i + k] & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return "invalid UTF-8";
    i += length;
  }
  return nullptr;
}

// Where a message points: the file's name, a line from 1 and a column (cell) from 1.
[[noreturn]] void Fail(const std::string& name, std::size_t line, std::size_t column,
                       const std::string& what) {
  throw EngineError(name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + what);
}

// Feeds the bytes to libcsv one physical line at a time, so that each cell is known by the line
// it ends on, and hands every cell and every record's end to the visitor.
class RecordScanner {
public:
  using CellVisitor = std::function<void(std::size_t line, std::size_t column, std::string_view)>;
  using RecordVisitor = std::function<void(std::size_t line, std::size_t cells)>;

  RecordScanner(std::string name, char delimiter, CellVisitor cell, RecordVisitor record)
      : fName(std::move(name)), fCell(std::move(cell)), fRecord(std::move(record)) {
    if (csv_init(&fParser, CSV_STRICT | CSV_STRICT_FINI) != 0)
      throw EngineError(fName + ": out of memory");
    csv_set_delim(&fParser, static_cast<unsigned char>(delimiter));
    // Spaces belong to the cell (RFC 4180); numbers are trimmed where they are read.
    csv_set_space_func(&fParser, [](unsigned char) { return 0; });
  }
  ~RecordScanner() { csv_free(&fParser); }
  RecordScanner(const RecordScanner&) = delete;
  RecordScanner& operator=(const RecordScanner&) = delete;

  // The next piece of the file, in order; pieces may end anywhere.
  void Feed(std::string_view bytes) {
    if (fFirst) {
      fFirst = false;
      if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
      const std::size_t newline = bytes.find('\n');
      const std::size_t length = newline == std::string_view::npos ? bytes.size() : newline + 1;
      Parse(bytes.substr(0, length));
      if (newline != std::string_view::npos)
        ++fLine;
      bytes.remove_prefix(length);
    }
  }

  void Finish() {
    if (csv_fini(&fParser, OnCell, OnRecord, this) != 0)
      Fail(fName, fRecordLine, fCells + 1, "a quoted cell is not closed");
  }

private:
  void Parse(std::string_view piece) {
    if (fCells == 0 && fBetweenRecords)
      fRecordLine = fLine;
    if (csv_parse(&fParser, piece.data(), piece.size(), OnCell, OnRecord, this) != piece.size())
      Fail(fName, fLine, fCells + 1,
           csv_error(&fParser) == CSV_ENOMEM ? "out of memory"
                                             : "a quote inside a cell that is not quoted, or "
                                               "text after a closing quote");
    fBetweenRecords = fCells == 0;
  }

  static void OnCell(void* data, std::size_t size, void* self) {
    auto& scanner = *static_cast<RecordScanner*>(self);
    scanner.fCell(scanner.fLine, ++scanner.fCells,
                  std::string_view(static_cast<const char*>(data), data ? size : 0));
  }
  static void OnRecord(int, void* self) {
    auto& scanner = *static_cast<RecordScanner*>(self);
    scanner.fRecord(scanner.fRecordLine, scanner.fCells);
    scanner.fCells = 0;
    scanner.fRecordLine = scanner.fLine + 1;
  }

  std::string fName;
  CellVisitor fCell;
  RecordVisitor fRecord;
  csv_parser fParser{};
  bool fFirst = true;
  bool fBetweenRecords = true;
  std::size_t fLine = 1;
  std::size_t fRecordLine = 1;
  std::size_t fCells = 0;
};

// Runs a scanner over the whole source: the file again for each pass, or the text.
class Source {
public:
  Source(const std::string* bytes, std::string path, std::string name)
      : fBytes(bytes), fPath(std::move(path)), fName(std::move(name)) {}

  const std::string& Name() const { return fName; }

  void Scan(RecordScanner& scanner) const {
    if (fBytes) {
      scanner.Feed(*fBytes);
    } else {
      std::ifstream in(fPath, std::ios::binary);
      if (!in)
        throw EngineError(fName + ": cannot be opened: " + std::strerror(errno));
      std::vector<char> buffer(1 << 20);
      while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        scanner.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
      }
      if (in.bad())
        throw EngineError(fName + ": cannot be read: " + std::strerror(errno));
    }
    scanner.Finish();
  }

private:
  const std::string* fBytes;
  std::string fPath;
  std::string fName;
};

struct ColumnPlan {
  std::string fName;
  bool fNumbers = false;
  bool fDates = false;
  bool fTexts = false;

  bool IsText() const { return fTexts || (fNumbers && fDates); }
};

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// First pass: the names, each column's kind, the row count; every fault of the file.
std::vector<ColumnPlan> Plan(const Source& source, char delimiter, std::size_t& rows) {
  std::vector<ColumnPlan> columns;
  bool header = true;
  rows = 0;
  const std::string& name = source.Name();
  RecordScanner scanner(
      name, delimiter,
      [&](std::size_t line, std::size_t column, std::string_view cell) {
        if (const char* fault = TextFault(cell))
          Fail(name, line, column, fault);
        if (header) {
          const std::string text(Trimmed(cell));
          if (text.empty())
            Fail(name, line, column, "the header names no column here");
          for (std::size_t i = 0; i < columns.size(); ++i)
            if (SameName(columns[i].fName, text))
              Fail(name, line, column,
                   "column name \"" + text + "\" is also column " + std::to_string(i + 1));
          columns.push_back(ColumnPlan{text});
          return;
        }
        if (column > columns.size())
          Fail(name, line, column,
               "more cells than the header's " + std::to_string(columns.size()) + " names");
        double value = 0;
        ColumnPlan& plan = columns[column - 1];
        switch (Classify(cell, value)) {
        case CellKind::kNumber:
          plan.fNumbers = true;
          break;
        case CellKind::kDate:
          plan.fDates = true;
          break;
        case CellKind::kText:
          plan.fTexts = true;
          break;
        default:
          break;
        }
      },
      [&](std::size_t line, std::size_t cells) {
        if (header) {
          header = false;
          return;
        }
        if (cells < columns.size())
          Fail(name, line, cells + 1,
               "only " + std::to_string(cells) + " of the header's " +
                   std::to_string(columns.size()) + " cells");
        ++rows;
      });
  source.Scan(scanner);
  if (header)
    Fail(name, 1, 1, "no header row: the file is empty");
  if (rows == 0)
    Fail(name, 2, 1, "no rows of data below the header");
  return columns;
}

DataSet Read(const Source& source, char delimiter) {
  std::size_t rows = 0;
  const std::vector<ColumnPlan> plans = Plan(source, delimiter, rows);
  std::vector<DataColumn> columns;
  columns.reserve(plans.size());
  for (const ColumnPlan& plan : plans) {
    columns.emplace_back(plan.fName,
                         plan.IsText() ? DataColumn::Kind::kText : DataColumn::Kind::kNumeric);
    columns.back().SetDate(!plan.IsText() && plan.fDates);
    columns.back().Reserve(rows);
  }
  bool header = true;
  std::string text;
  RecordScanner scanner(
      source.Name(), delimiter,
      [&](std::size_t, std::size_t column, std::string_view cell) {
        if (header)
          return;
        DataColumn& target = columns[column - 1];
        if (target.IsText()) {
          text.assign(cell.data(), cell.size());
          target.AppendText(text);
          return;
        }
        double value = 0;
        const CellKind kind = Classify(cell, value);
        target.AppendNumber(kind == CellKind::kNumber || kind == CellKind::kDate
                                ? value
                                : std::numeric_limits<double>::quiet_NaN());
      },
      [&](std::size_t, std::size_t) { header = false; });
  source.Scan(scanner);
  DataSet data;
  for (DataColumn& column : columns)
    data.AddColumn(std::move(column));
  return data;
}

} // namespace

char CsvReader::DelimiterFor(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
    return ',';
  std::string extension = path.substr(dot + 1);
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "tsv" || extension == "tab" ? '\t' : ',';
}

bool CsvReader::ReadsAsNumber(const std::string& cell) {
  double value = 0;
  const CellKind kind = Classify(cell, value);
  return kind == CellKind::kEmpty || kind == CellKind::kNA || kind == CellKind::kNumber;
}

DataSet CsvReader::ReadFile(const std::string& path, char delimiter) {
  return Read(Source(nullptr, path, path), delimiter);
}

DataSet CsvReader::ReadText(const std::string& bytes, const std::string& name, char delimiter) {
  return Read(Source(&bytes, std::string(), name), delimiter);
}

} // namespace engine
