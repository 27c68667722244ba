#pragma once

#include <string>
#include <string_view>

#include "outside/lapfile/lap_load_result.h"
#include "outside/lapfile/result_list.h"

namespace pointimport::outside::lapfile::csv {

// CSV result lists as orienteering event software exports them: one runner
// a line, under a header row whose column names are in the exporting
// program's language (English or German here). Columns are found by name,
// wherever they stand; all others are ignored.

enum class CsvReadStatus {
  Read,
  InvalidBytes,    // bytes that are text in none of the encodings read
  NoHeader,        // the first line is no header of such a result list
  MissingColumns,  // a column that every result needs is not there
  UnclosedQuote,   // a quoted field runs to the end of the file
  NulCharacter,    // U+0000, which no text holds
  SecondHeader,    // a header line after the first: two files joined
  OverlongValue,   // a field over CsvRecordReader::kMaxFieldBytes, or a value over kMaxValueLength
};

struct CsvReadResult {
  CsvReadStatus status;
  std::u16string reason;  // why, when not Read
  ResultList list;        // when Read: classes in order of first appearance; no event
};

// Reads a whole CSV result list. The runner's name is the surname, one
// blank and the first name (whichever exists when one is missing); the
// club is City, else Cl.name; the class Short, else Long; the sex M or F
// from S (also H, D, W); the time "H:MM:SS" or "M:SS" from Time, a decimal
// part dropped; the status from Classifier (0 OK, 1 did not start, 2 did
// not finish, 3 missing punch, 4 disqualified, 5 over time; any other value
// no result), an OK runner with a value in nc other than "0" not competing;
// the place from Pl.
CsvReadResult ReadCsvResultList(std::string bytes);

// Whether the first bytes of a file begin with the header of such a result
// list: at least two of the columns every result needs (a name, time,
// status, class). The header is judged up to its line end or the last of
// the bytes.
bool LooksLikeCsvResultList(std::string_view firstBytes);

// The lap-file format's reader: a CSV list names no event, so its keyword is
// always fileNameKeyword, and it has no name and no date.
LapLoadResult ReadCsvLapFile(std::string bytes, const std::u16string& fileNameKeyword);

}  // namespace pointimport::outside::lapfile::csv
