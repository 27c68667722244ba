// SQL literals of values: SQLite, given the literal alone after SELECT,
// must read it as one value and give back what the value holds, both when
// the text is prepared as it stands and through the connection, which binds
// the literal in its place.
#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "convert/sql_value.h"
#include "convert/time_value.h"
#include "convert/utf.h"
#include "fuzz_support.h"
#include "outside/sqlite/points_database_file.h"
#include "outside/sqlite/sqlite_connection.h"

using pointimport::fuzz::Expect;
using pointimport::fuzz::Fail;
namespace convert = pointimport::convert;
namespace outside = pointimport::outside;
using convert::Variant;

namespace {

// One in-memory database for the literal as it stands, and a points
// database file for the connection, both kept for the whole run.
struct Databases {
  sqlite3* memory = nullptr;
  std::string folder;
  std::string file;
  outside::sqlite::SqliteConnection connection;

  Databases() {
    sqlite3_open(":memory:", &memory);
    char pattern[] = "/tmp/sql_value_fuzzer.XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    folder = pattern;
    file = folder + "/points.mdb";
    const std::u16string path = convert::Utf8ToUtf16(file);
    if (outside::sqlite::CreatePointsDatabase(path).status != outside::sqlite::CreateDatabaseStatus::Created)
      std::abort();
    connection.Open(u"DBQ=" + path);
  }
  ~Databases() {
    connection.Close();
    sqlite3_close(memory);
    std::remove(file.c_str());
    rmdir(folder.c_str());
  }
};

Databases& Shared() {
  static Databases databases;
  return databases;
}

// What SQLite holds for "SELECT literal", prepared as it stands: a literal
// that ends early or leaves text behind fails here. Text is taken as the
// bytes SQLite keeps, not through its UTF-16 reading, which turns U+FFFE and
// U+FFFF into U+FFFD.
struct Held {
  bool isText = false;
  double number = 0.0;
  std::string utf8;
};

Held ReadAsItStands(const std::u16string& literal) {
  const std::u16string statement = u"SELECT " + literal;
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc = sqlite3_prepare16_v2(Shared().memory, statement.data(),
                                      static_cast<int>(statement.size() * sizeof(char16_t)), &raw, &tail);
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> prepared(raw, sqlite3_finalize);
  Expect(rc == SQLITE_OK && raw, "the literal prepares", literal);
  Expect(tail == statement.data() + statement.size(), "the literal leaves nothing behind", literal);
  Expect(sqlite3_column_count(raw) == 1, "the literal is one column", literal);
  Expect(sqlite3_step(raw) == SQLITE_ROW, "the literal gives a row", literal);
  Held held;
  switch (sqlite3_column_type(raw, 0)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      held.number = sqlite3_column_double(raw, 0);
      break;
    case SQLITE_TEXT:
      held.isText = true;
      held.utf8.assign(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)),
                       static_cast<std::size_t>(sqlite3_column_bytes(raw, 0)));
      break;
    default:
      Fail("the literal is a number or a text", literal);
  }
  Expect(sqlite3_step(raw) == SQLITE_DONE, "the literal gives one row", literal);
  return held;
}

// The same through the connection, which binds the literal in its place,
// numbers as doubles.
Variant ReadThroughConnection(const std::u16string& literal) {
  const auto records = Shared().connection.Execute(u"SELECT " + literal + u" AS V");
  Expect(records && !records->Eof(), "the connection gives a row", literal);
  Variant value = records->Fields(u"V").Value;
  if (!value.IsString()) value = value.NumberValue();
  records->MoveNext();
  Expect(records->Eof(), "the connection gives one row", literal);
  return value;
}

void ExpectText(const std::u16string& literal, const std::u16string& text) {
  const Held held = ReadAsItStands(literal);
  Expect(held.isText && held.utf8 == convert::Utf16ToUtf8(text), "the literal as it stands holds the text",
         literal);
  Expect(ReadThroughConnection(literal) == Variant(convert::Utf8ToUtf16(held.utf8)),
         "the connection reads the text held", literal);
}

// The number, for a failure report, in full.
std::u16string Exact(double number) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", number);
  return convert::Utf8ToUtf16(text);
}

// Any code units, unpaired surrogates too. The database keeps UTF-8, which
// cannot hold those, so the text is expected as it is in UTF-8, each
// unpaired surrogate a U+FFFD, and read back as that.
void CheckString(const std::u16string& text) { ExpectText(convert::FormatSqlValue(Variant(text)), text); }

// A Double is written to 15 significant digits, and refused when those
// digits have no finite double. SQLite's own reading of decimal text may
// miss the nearest double by one unit in the last place (3.40 does, for
// 7.29111854494747e-304), so the number read must be that nearest double or
// a neighbour, and must write the same literal again; the connection, which
// binds it, must read exactly what the text gives.
void CheckDouble(double number) {
  char digits[40];
  std::snprintf(digits, sizeof digits, "%.14e", number);
  const double rounded = std::strtod(digits, nullptr);
  std::u16string literal;
  try {
    literal = convert::FormatSqlValue(Variant(number));
  } catch (const convert::RuntimeError& error) {
    Expect(!std::isfinite(rounded) && error.Number() == convert::error_number::kOverflow,
           "only numbers without a finite 15-digit form are refused", Exact(number));
    return;
  }
  Expect(std::isfinite(rounded), "a number without a finite 15-digit form is refused", literal);
  const Held held = ReadAsItStands(literal);
  Expect(!held.isText, "a number reads as a number", literal);
  const double got = held.number;
  Expect(got == rounded || got == std::nextafter(rounded, got), "the number read is the nearest to its digits",
         literal);
  Expect(convert::FormatSqlValue(Variant(got)) == literal, "the number read writes the same literal", literal);
  Expect(ReadThroughConnection(literal) == Variant(got), "the connection reads what the text gives", literal);
}

// A Date is written to the second, as text, and must read back as the
// same date and time.
void CheckDate(double dateNumber) {
  std::u16string literal;
  try {
    literal = convert::FormatSqlValue(Variant::Date(dateNumber));
  } catch (const convert::RuntimeError& error) {
    const double lastSecond = convert::DayNumber(convert::kMaxYear, 12, 31) + 86399.5 / 86400.0;
    Expect((!convert::IsInDateRange(dateNumber) || dateNumber >= lastSecond) &&
               error.Number() == convert::error_number::kOverflow,
           "only dates out of range are refused", Exact(dateNumber));
    return;
  }
  Expect(literal.size() == 21 && literal.front() == u'\'' && literal.back() == u'\'',
         "a date is written in full", literal);
  const std::u16string text = literal.substr(1, literal.size() - 2);
  ExpectText(literal, text);
  const auto readBack = convert::RecogniseDateTime(text);
  Expect(readBack.has_value(), "a written date is recognised", literal);
  const convert::DateParts want = convert::SplitDateNumber(dateNumber);
  const convert::DateParts got = convert::SplitDateNumber(*readBack);
  Expect(want.year == got.year && want.month == got.month && want.day == got.day && want.hour == got.hour &&
             want.minute == got.minute && want.second == got.second,
         "a written date reads back as the same moment", literal);
}

double RawDouble(FuzzedDataProvider& input) {
  std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
  double number;
  std::memcpy(&number, &bits, sizeof number);
  return number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: {
      const std::string bytes = input.ConsumeRemainingBytesAsString();
      CheckString(
          pointimport::fuzz::CodeUnits(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
      break;
    }
    case 1:
      CheckDouble(RawDouble(input));
      break;
    case 2:
      CheckDate(RawDouble(input));
      break;
    default:
      // Most raw bit patterns lie far outside the date range.
      CheckDate(input.ConsumeFloatingPointInRange(convert::DayNumber(convert::kMinYear, 1, 1) - 1.0,
                                                  convert::DayNumber(convert::kMaxYear, 12, 31) + 1.0));
      break;
  }
  return 0;
}
