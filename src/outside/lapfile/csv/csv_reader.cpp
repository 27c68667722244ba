#include "outside/lapfile/csv/csv_reader.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "convert/ascii_case.h"
#include "convert/utf.h"
#include "outside/lapfile/csv/csv_encoding.h"
#include "outside/lapfile/csv/csv_records.h"
#include "outside/lapfile/iof_values.h"
#include "outside/lapfile/lap_event_from_list.h"
#include "outside/lapfile/value_bound.h"

namespace pointimport::outside::lapfile::csv {

using convert::Utf8ToUtf16;

namespace {

enum Column {
  kSurname,
  kFirstName,
  kSex,
  kNotCompeting,
  kTime,
  kClassifier,
  kClubShortName,
  kClubName,
  kClassShortName,
  kClassLongName,
  kPlace,
  kColumnCount,
};

// English and German exports; the address block repeats City / Ort, and
// the first, the club's, is the one read.
constexpr struct {
  std::u16string_view name;
  Column column;
} kColumnNames[] = {
    // English, then German.
    {u"Surname", kSurname},
    {u"Nachname", kSurname},
    {u"First name", kFirstName},
    {u"Vorname", kFirstName},
    {u"S", kSex},
    {u"G", kSex},
    {u"nc", kNotCompeting},
    {u"AK", kNotCompeting},
    {u"Time", kTime},
    {u"Zeit", kTime},
    {u"Classifier", kClassifier},
    {u"Wertung", kClassifier},
    {u"Cl.name", kClubShortName},
    {u"Abk", kClubShortName},
    {u"City", kClubName},
    {u"Ort", kClubName},
    {u"Short", kClassShortName},
    {u"Kurz", kClassShortName},
    {u"Long", kClassLongName},
    {u"Lang", kClassLongName},
    {u"Pl", kPlace},
    {u"Place", kPlace},
    {u"Platz", kPlace},
};

// What every result needs: any one column of a group.
constexpr struct {
  std::array<Column, 2> columns;
  const char16_t* description;
} kRequiredGroups[] = {
    {{kSurname, kFirstName}, u"氏名 (Surname, First name / Nachname, Vorname)"},
    {{kTime, kTime}, u"時間 (Time / Zeit)"},
    {{kClassifier, kClassifier}, u"状態 (Classifier / Wertung)"},
    {{kClassShortName, kClassLongName}, u"クラス (Short, Long / Kurz, Lang)"},
};

using ColumnIndexes = std::array<std::optional<std::size_t>, kColumnCount>;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlank = " \t";
  const std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

// The names are ASCII, and no byte of a UTF-8 character beyond ASCII is an
// ASCII letter: a field's bytes are compared as they are.
bool IsColumnName(std::string_view field, std::u16string_view name) {
  if (field.size() != name.size()) return false;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (convert::AsciiUpper(static_cast<unsigned char>(field[i])) != convert::AsciiUpper(name[i])) return false;
  }
  return true;
}

bool IsAnyColumnName(std::string_view field) {
  for (const auto& known : kColumnNames) {
    if (IsColumnName(field, known.name)) return true;
  }
  return false;
}

ColumnIndexes FindColumns(const std::vector<std::string>& header) {
  ColumnIndexes indexes;
  for (std::size_t i = 0; i < header.size(); ++i) {
    std::string_view name = TrimBlanks(header[i]);
    // A header after the first often brings its own byte-order mark.
    if (name.starts_with(kUtf8Mark)) name.remove_prefix(kUtf8Mark.size());
    for (const auto& known : kColumnNames) {
      if (!indexes[known.column] && IsColumnName(name, known.name)) indexes[known.column] = i;
    }
  }
  return indexes;
}

bool HasGroup(const ColumnIndexes& indexes, const std::array<Column, 2>& group) {
  return indexes[group[0]] || indexes[group[1]];
}

bool IsRecognisedHeader(const ColumnIndexes& indexes) {
  int groups = 0;
  for (const auto& required : kRequiredGroups) groups += HasGroup(indexes, required.columns);
  return groups >= 2;
}

bool IsBlank(const std::vector<std::string>& fields) {
  for (const std::string& field : fields) {
    if (!TrimBlanks(field).empty()) return false;
  }
  return true;
}

// The first record that is not blank.
bool NextRecord(CsvRecordReader& reader, std::vector<std::string>& fields) {
  while (reader.Next(fields)) {
    if (!IsBlank(fields)) return true;
  }
  return false;
}

ResultStatus ParseClassifier(std::string_view value) {
  // The same outcomes as the IOF statuses, read by the same table.
  static constexpr std::string_view kStatuses[] = {"OK",           "DidNotStart",  "DidNotFinish",
                                                   "MissingPunch", "Disqualified", "OverTime"};
  if (value.size() != 1 || value[0] < '0' || value[0] > '5') return ResultStatus::NoResult;
  return ParseIofStatus(kStatuses[value[0] - '0']);
}

std::u16string ParseSex(std::string_view value) {
  if (value.size() != 1) return {};
  switch (convert::AsciiUpper(static_cast<unsigned char>(value[0]))) {
    case u'M':
    case u'H':  // Herren
      return u"M";
    case u'F':
    case u'D':  // Damen
    case u'W':  // weiblich
      return u"F";
    default:
      return {};
  }
}

// "H:MM:SS" or "M:SS"; a decimal comma is read as the point.
std::optional<std::int32_t> ParseTime(std::string_view value) {
  std::string time(value);
  for (char& c : time) {
    if (c == ',') c = '.';
  }
  return ParseIof2Time(time);
}

class Row {
 public:
  Row(const ColumnIndexes& indexes, const std::vector<std::string>& fields)
      : indexes_(indexes), fields_(fields) {}

  std::string_view Value(Column column) const {
    const std::optional<std::size_t> index = indexes_[column];
    return index && *index < fields_.size() ? TrimBlanks(fields_[*index]) : std::string_view();
  }

  // The first column's value, else the second's.
  std::u16string Either(Column first, Column second) const {
    const std::string_view value = Value(first);
    return Utf8ToUtf16(value.empty() ? Value(second) : value);
  }

 private:
  const ColumnIndexes& indexes_;
  const std::vector<std::string>& fields_;
};

PersonResult ReadPerson(const Row& row) {
  PersonResult person;
  person.runnerName = Utf8ToUtf16(row.Value(kSurname));
  AppendNamePart(person.runnerName, Utf8ToUtf16(row.Value(kFirstName)));
  person.clubName = row.Either(kClubName, kClubShortName);
  person.sex = ParseSex(row.Value(kSex));
  person.status = ParseClassifier(row.Value(kClassifier));
  if (const std::string_view nc = row.Value(kNotCompeting);
      person.status == ResultStatus::Ok && !nc.empty() && nc != "0") {
    person.status = ResultStatus::NotCompeting;
  }
  person.seconds = ParseTime(row.Value(kTime));
  person.position = ParsePlace(row.Value(kPlace));
  return person;
}

CsvReadResult Failure(CsvReadStatus status, std::u16string reason) { return {status, std::move(reason), {}}; }

std::u16string OnLine(std::size_t line) { return u" (" + Utf8ToUtf16(std::to_string(line)) + u" 行目)"; }

// Why the reader stopped before the end, if it did.
std::optional<CsvReadResult> ReaderFault(const CsvRecordReader& reader) {
  if (reader.HasUnclosedQuote()) {
    return Failure(CsvReadStatus::UnclosedQuote,
                   u"CSV として正しくありません: 引用符が閉じていません" + OnLine(reader.RecordLine()));
  }
  if (reader.HasOverlongField()) {
    return Failure(CsvReadStatus::OverlongValue,
                   u"値が長すぎます (" + Utf8ToUtf16(std::to_string(CsvRecordReader::kMaxFieldBytes)) +
                       u" バイトまで)" + OnLine(reader.RecordLine()));
  }
  return std::nullopt;
}

// The line of an offset into the text, with CR LF, LF and CR line ends.
std::size_t LineAt(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    line += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  }
  return line;
}

// A record after the header that is itself a header: its value under a
// column every result needs is a column name (checked first, as it costs
// next to nothing), and its fields name the columns of a result list.
bool IsHeaderAgain(const Row& row, const std::vector<std::string>& fields) {
  for (const Column column : {kSurname, kTime, kClassifier, kClassShortName, kClassLongName}) {
    std::string_view value = row.Value(column);
    if (value.starts_with(kUtf8Mark)) value.remove_prefix(kUtf8Mark.size());
    if (IsAnyColumnName(value)) return IsRecognisedHeader(FindColumns(fields));
  }
  return false;
}

// A value over kMaxValueLength code units, with what it is.
std::optional<CsvReadResult> OverlongValue(const PersonResult& person, std::u16string_view className,
                                           std::size_t line) {
  const auto refuse = [line](std::u16string_view what, std::u16string_view value) {
    return Failure(CsvReadStatus::OverlongValue, OverlongValueReason(what, value) + OnLine(line));
  };
  if (className.size() > kMaxValueLength) return refuse(u"クラス名", className);
  if (person.runnerName.size() > kMaxValueLength) return refuse(u"選手名", person.runnerName);
  if (person.clubName.size() > kMaxValueLength) return refuse(u"クラブ名", person.clubName);
  return std::nullopt;
}

// The bytes up to the end of the first line that is not empty, with the
// byte-order mark: the header, decoded alone, is not failed by a character
// cut at the end of the bytes. UTF-16 is cut on whole code units.
std::string_view HeaderBytes(std::string_view bytes) {
  const bool littleEndian = bytes.starts_with("\xFF\xFE");
  if (!littleEndian && !bytes.starts_with("\xFE\xFF")) {
    const std::size_t start = bytes.find_first_not_of("\r\n", bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    if (start == std::string_view::npos) return bytes;
    return bytes.substr(0, bytes.find_first_of("\r\n", start));
  }
  std::size_t end = 2;
  for (bool inLine = false; end + 1 < bytes.size(); end += 2) {
    const char low = bytes[littleEndian ? end : end + 1];
    const char high = bytes[littleEndian ? end + 1 : end];
    const bool lineBreak = high == 0 && (low == '\r' || low == '\n');
    if (lineBreak && inLine) break;
    inLine = inLine || !lineBreak;
  }
  return bytes.substr(0, end);
}

}  // namespace

CsvReadResult ReadCsvResultList(std::string bytes) {
  CsvDecodeResult decoded = DecodeCsvBytes(std::move(bytes));
  if (!decoded.decoded) return Failure(CsvReadStatus::InvalidBytes, std::move(decoded.reason));
  if (const std::size_t nul = decoded.utf8.find('\0'); nul != std::string::npos) {
    return Failure(CsvReadStatus::NulCharacter,
                   u"CSV として正しくありません: NUL 文字があります" + OnLine(LineAt(decoded.utf8, nul)));
  }

  CsvRecordReader reader(decoded.utf8, DetectCsvSeparator(decoded.utf8));
  std::vector<std::string> fields;
  const bool haveHeader = NextRecord(reader, fields);
  if (std::optional<CsvReadResult> fault = ReaderFault(reader)) return std::move(*fault);
  const ColumnIndexes indexes = FindColumns(fields);
  if (!haveHeader || !IsRecognisedHeader(indexes)) {
    return Failure(CsvReadStatus::NoHeader, u"CSV の結果リストの見出し行がありません");
  }
  std::u16string missing;
  for (const auto& required : kRequiredGroups) {
    if (HasGroup(indexes, required.columns)) continue;
    if (!missing.empty()) missing += u"、";
    missing += required.description;
  }
  if (!missing.empty()) {
    return Failure(CsvReadStatus::MissingColumns, u"CSV の結果リストに必要な列がありません: " + missing);
  }

  CsvReadResult result{CsvReadStatus::Read, {}, {}};
  std::vector<ClassResult>& classes = result.list.classes;
  std::unordered_map<std::u16string, std::size_t> classIndexes;
  while (NextRecord(reader, fields)) {
    const Row row(indexes, fields);
    if (IsHeaderAgain(row, fields)) {
      return Failure(CsvReadStatus::SecondHeader,
                     u"CSV として正しくありません: 見出し行がもう一度あります" + OnLine(reader.RecordLine()) +
                         u"。ふたつのファイルをつないだものなら、分けてから開いてください");
    }
    std::u16string className = row.Either(kClassShortName, kClassLongName);
    PersonResult person = ReadPerson(row);
    if (std::optional<CsvReadResult> overlong = OverlongValue(person, className, reader.RecordLine())) {
      return std::move(*overlong);
    }
    const auto [at, added] = classIndexes.try_emplace(className, classes.size());
    if (added) classes.push_back({std::move(className), {}});
    classes[at->second].results.push_back(std::move(person));
  }
  if (std::optional<CsvReadResult> fault = ReaderFault(reader)) return std::move(*fault);
  return result;
}

bool LooksLikeCsvResultList(std::string_view firstBytes) {
  const CsvDecodeResult decoded = DecodeCsvBytes(std::string(HeaderBytes(firstBytes)));
  if (!decoded.decoded) return false;
  CsvRecordReader reader(decoded.utf8, DetectCsvSeparator(decoded.utf8));
  std::vector<std::string> header;
  return NextRecord(reader, header) && IsRecognisedHeader(FindColumns(header));
}

LapLoadResult ReadCsvLapFile(std::string bytes, const std::u16string& fileNameKeyword) {
  CsvReadResult read = ReadCsvResultList(std::move(bytes));
  switch (read.status) {
    case CsvReadStatus::Read:
      return {LapLoadStatus::Loaded, {}, MakeLapEvent(std::move(read.list), fileNameKeyword)};
    case CsvReadStatus::InvalidBytes:
      return {LapLoadStatus::InvalidBytes, std::move(read.reason), {}};
    case CsvReadStatus::UnclosedQuote:
    case CsvReadStatus::NulCharacter:
    case CsvReadStatus::SecondHeader:
      return {LapLoadStatus::NotWellFormed, std::move(read.reason), {}};
    case CsvReadStatus::OverlongValue:
      return {LapLoadStatus::OverlongValue, std::move(read.reason), {}};
    case CsvReadStatus::NoHeader:
    case CsvReadStatus::MissingColumns:
      break;
  }
  return {LapLoadStatus::NotAResultList, std::move(read.reason), {}};
}

}  // namespace pointimport::outside::lapfile::csv
