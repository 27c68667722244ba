#include "outside/lapfile/csv/csv_records.h"

namespace pointimport::outside::lapfile::csv {

char DetectCsvSeparator(std::string_view text) {
  bool quoted = false, inLine = false, tab = false, comma = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;  // a doubled quote turns it twice
    } else if (quoted) {
      continue;
    } else if (c == '\r' || c == '\n') {
      if (inLine) break;  // blank lines before the header are skipped
      continue;
    } else if (c == ';') {
      return ';';
    } else if (c == '\t') {
      tab = true;
    } else if (c == ',') {
      comma = true;
    }
    inLine = true;
  }
  return tab ? '\t' : comma ? ',' : ';';
}

bool CsvRecordReader::IsCrBeforeLf(char c) const {
  return c == '\r' && position_ < text_.size() && text_[position_] == '\n';
}

bool CsvRecordReader::Next(std::vector<std::string>& fields) {
  fields.clear();
  if (position_ >= text_.size() || unclosedQuote_ || overlongField_) return false;
  recordLine_ = line_;
  std::string field;
  bool started = false;  // only a quote that opens a field quotes it
  bool quoted = false;
  std::size_t quoteLine = line_;
  while (position_ < text_.size()) {
    if (field.size() > kMaxFieldBytes) {
      overlongField_ = true;
      recordLine_ = quoted ? quoteLine : line_;
      fields.clear();
      return false;
    }
    const char c = text_[position_++];
    if (quoted) {
      if (c != '"') {
        if ((c == '\r' || c == '\n') && !IsCrBeforeLf(c)) ++line_;
        field += c;
      } else if (position_ < text_.size() && text_[position_] == '"') {
        field += '"';
        ++position_;
      } else {
        quoted = false;
      }
    } else if (c == '"' && !started) {
      quoted = started = true;
      quoteLine = line_;
    } else if (c == separator_) {
      fields.push_back(std::move(field));
      field.clear();
      started = false;
    } else if (c == '\r' || c == '\n') {
      if (IsCrBeforeLf(c)) ++position_;  // CRLF ends the record once
      ++line_;
      fields.push_back(std::move(field));
      return true;
    } else {
      field += c;
      started = true;
    }
  }
  if (quoted) {
    // The rest of the file would vanish into one field.
    unclosedQuote_ = true;
    recordLine_ = quoteLine;
    fields.clear();
    return false;
  }
  fields.push_back(std::move(field));
  return true;
}

}  // namespace pointimport::outside::lapfile::csv
