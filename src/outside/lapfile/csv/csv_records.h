#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pointimport::outside::lapfile::csv {

// The field separator a header line uses: ";" when it has one, else a tab,
// else ",", else ";". Separators inside quotes do not count.
char DetectCsvSeparator(std::string_view text);

// Reads CSV text record by record, as RFC 4180 writes it: a field that
// starts with a quote runs to the closing quote, holding separators, line
// breaks and doubled quotes ("" for "). Records end at CRLF, LF or CR. A
// quote inside an unquoted field, or after a closing quote, is kept as
// text, as lenient writers put it there.
class CsvRecordReader {
 public:
  // Longer fields are refused rather than read: no column of a result list
  // holds as much (a name, club or class of kMaxValueLength code units
  // takes at most three bytes a unit), and a file of one huge field would
  // otherwise be read into memory once more.
  static constexpr std::size_t kMaxFieldBytes = 16384;

  CsvRecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  // The next record's fields; false at the end of the text, when the last
  // field's quote is never closed (HasUnclosedQuote), or at a field over
  // kMaxFieldBytes (HasOverlongField).
  bool Next(std::vector<std::string>& fields);

  bool HasUnclosedQuote() const { return unclosedQuote_; }
  bool HasOverlongField() const { return overlongField_; }
  // The line (from 1) on which the last record read, or the unclosed or
  // overlong field, began.
  std::size_t RecordLine() const { return recordLine_; }

 private:
  bool IsCrBeforeLf(char c) const;  // c was read last

  std::string_view text_;
  char separator_;
  std::size_t position_ = 0;
  std::size_t line_ = 1;
  std::size_t recordLine_ = 0;
  bool unclosedQuote_ = false;
  bool overlongField_ = false;
};

}  // namespace pointimport::outside::lapfile::csv
