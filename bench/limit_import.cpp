// The limit of a command-line import, as a program of its own: read the lap
// file, parse it with pugixml, and write the rows the import writes through
// prepared statements with bound parameters, in one transaction. It reads
// the events tools/gen_iof.py generates (names in kanji and kana, finishers
// placed in order), not every file the import reads, and stops on anything
// else; bench/compare_cli.sh checks that it writes exactly the import's rows.
//
//   build/limit_import DATABASE FILE
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "parse_like_the_loader.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "limit_import: %s\n", why.c_str());
  std::exit(2);
}

// Variant characters and the one form each is stored under, as the import
// makes person IDs.
constexpr std::string_view kVariants[][2] = {
    {"澤", "沢"}, {"邊", "辺"}, {"邉", "辺"}, {"理", "里"}, {"國", "国"}, {"朗", "郎"}, {"善", "喜"},
    {"佑", "祐"}, {"嶋", "島"}, {"斎", "斉"}, {"齊", "斉"}, {"齋", "斉"}, {"ゑ", "え"},
};

// The person ID of a name in kanji and kana: without blanks, each variant
// character in its stored form. Letters, digits, half-width kana and
// brackets, which the import widens or cuts at, are not handled.
std::string PersonId(std::string_view name) {
  std::string id;
  for (std::size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::string_view character = name.substr(i, length);
    i += length;
    if (character == " " || character == "\u3000") continue;
    if (length != 3 || character >= "\uFF00")
      Fail("a name the limit does not make an ID of: " + std::string(name));
    std::string_view stored = character;
    for (const auto& variant : kVariants) {
      if (variant[0] == character) stored = variant[1];
    }
    id += stored;
  }
  return id;
}

std::string_view Sex(pugi::xml_node person, pugi::xml_node classElement) {
  for (const pugi::xml_node element : {person, classElement}) {
    const std::string_view sex = element.attribute("sex").value();
    if (sex == "M" || sex == "F") return sex;
  }
  return "";
}

std::string RaceTime(int seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

// A race time's value as the import reads its text back: a fraction of a
// day, none from 24 hours on.
std::optional<double> DayFraction(std::optional<int> seconds) {
  if (!seconds || *seconds >= 24 * 3600) return std::nullopt;
  return *seconds / 3600 / 24.0 + *seconds / 60 % 60 / 1440.0 + *seconds % 60 / 86400.0;
}

const char* StatusText(std::string_view status) {
  if (status == "MissingPunch" || status == "Disqualified") return "失格";
  if (status == "DidNotFinish" || status == "SportingWithdrawal") return "途中棄権";
  if (status == "OverTime") return "時間超過";
  if (status == "DidNotStart" || status == "DidNotEnter") return "欠場";
  return "記録なし";
}

struct Runner {
  std::string personId, name;
  std::string_view club, sex;
  std::string place, result;
  bool placed = false;
  std::optional<int> seconds;  // when the result is a race time
};

// A class's runners in the import's order: finishers by place, those not
// competing, the rest.
std::vector<Runner> RunnersOf(pugi::xml_node classResult) {
  const pugi::xml_node classElement = classResult.child("Class");
  std::vector<Runner> finishers, notCompeting, others;
  for (const pugi::xml_node personResult : classResult.children("PersonResult")) {
    const pugi::xml_node person = personResult.child("Person");
    const pugi::xml_node name = person.child("Name");
    const pugi::xml_node result = personResult.child("Result");
    Runner runner;
    runner.name = name.child_value("Family");
    if (const std::string_view given = name.child_value("Given"); !given.empty()) {
      runner.name += runner.name.empty() ? "" : " ";
      runner.name += given;
    }
    runner.personId = PersonId(runner.name);
    runner.club = personResult.child("Organisation").child_value("Name");
    runner.sex = Sex(person, classElement);
    const std::string_view status = result.child_value("Status");
    const pugi::xml_node time = result.child("Time");
    if (time) runner.seconds = std::atoi(time.child_value());
    if (status == "OK" && runner.seconds) {
      runner.placed = true;
      runner.place = result.child_value("Position");
      if (runner.place.empty()) Fail("a finisher without a place");
      if (!finishers.empty() && std::atoi(runner.place.c_str()) < std::atoi(finishers.back().place.c_str())) {
        Fail("finishers out of place order");
      }
      runner.result = RaceTime(*runner.seconds);
      finishers.push_back(std::move(runner));
    } else if (status == "NotCompeting") {
      runner.place = "OP";
      runner.result = runner.seconds ? RaceTime(*runner.seconds) : "OP";
      notCompeting.push_back(std::move(runner));
    } else {
      runner.result = StatusText(status);
      runner.seconds.reset();
      others.push_back(std::move(runner));
    }
  }
  for (auto* group : {&notCompeting, &others}) {
    for (Runner& runner : *group) finishers.push_back(std::move(runner));
  }
  return finishers;
}

// The reference time of a class: the mean of its first three results, when
// all three are times.
std::optional<double> ReferenceTime(const std::vector<Runner>& runners) {
  if (runners.size() < 3) return std::nullopt;
  double sum = 0;
  for (int k = 0; k < 3; ++k) {
    const std::optional<double> time = DayFraction(runners[k].seconds);
    if (!time) return std::nullopt;
    sum += *time;
  }
  if (sum / 3.0 == 0.0) return std::nullopt;
  return sum / 3.0;
}

double Points(std::optional<double> reference, const Runner& runner) {
  const std::optional<double> time = DayFraction(runner.seconds);
  if (!reference || !runner.placed || !time || *time == 0.0) return 0.0;
  return *reference / *time * 100.0;
}

class Database {
 public:
  explicit Database(const char* path) {
    if (sqlite3_open_v2(path, &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) Fail(sqlite3_errmsg(db_));
  }
  ~Database() {
    for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
    sqlite3_close(db_);
  }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Execute(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sqlite3_errmsg(db_));
  }

  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) Fail(sqlite3_errmsg(db_));
    statements_.push_back(statement);
    return statement;
  }

  // Binds the texts in order, then steps the statement once.
  void Run(sqlite3_stmt* statement, std::initializer_list<std::string_view> texts,
           std::optional<double> last = std::nullopt) {
    Bind(statement, texts, last);
    Step(statement);
  }

  static void Bind(sqlite3_stmt* statement, std::initializer_list<std::string_view> texts,
                   std::optional<double> last = std::nullopt) {
    int index = 0;
    for (const std::string_view text : texts) {
      sqlite3_bind_text(statement, ++index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
    if (last) sqlite3_bind_double(statement, ++index, *last);
  }

  void Step(sqlite3_stmt* statement) {
    if (sqlite3_step(statement) != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
    sqlite3_reset(statement);
  }

 private:
  sqlite3* db_ = nullptr;
  std::vector<sqlite3_stmt*> statements_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) Fail("usage: limit_import DATABASE FILE");
  std::string text;
  pugi::xml_document document;
  if (!pointimport::bench::ParseLikeTheLoader(argv[2], text, document)) Fail("cannot read or parse the file");
  const pugi::xml_node resultList = document.document_element();
  const pugi::xml_node event = resultList.child("Event");
  const std::string_view eventId = event.child_value("Id");
  const std::string date = event.child("StartTime").child_value("Date");
  if (eventId.empty() || date.size() != 10) Fail("an event without its ID or date");
  const std::string eventDate =
      date.substr(0, 4) + "/" + date.substr(5, 2) + "/" + date.substr(8, 2) + " 00:00:00";

  Database database(argv[1]);
  database.Execute("BEGIN IMMEDIATE");
  database.Run(database.Prepare("DELETE FROM EVENT WHERE ID = ?"), {eventId});
  database.Run(database.Prepare("DELETE FROM RESULT WHERE EVENT_ID = ?"), {eventId});
  database.Run(database.Prepare("INSERT INTO EVENT (ID, NAME, TERRAIN, EVENT_DATE) VALUES (?, ?, ?, ?)"),
               {eventId, event.child_value("Name"), "", eventDate});
  // A person already stored keeps each of name, club and sex that is not
  // empty, as in the import; a row that would not change is not written.
  sqlite3_stmt* person = database.Prepare(
      "INSERT INTO PERSON (ID, NAME, CLUB, SEX) VALUES (?, ?, ?, ?) ON CONFLICT (ID) DO UPDATE SET "
      "NAME = COALESCE(NULLIF(NAME, ''), excluded.NAME), CLUB = COALESCE(NULLIF(CLUB, ''), excluded.CLUB), "
      "SEX = COALESCE(NULLIF(SEX, ''), excluded.SEX) "
      "WHERE COALESCE(NAME, '') = '' OR COALESCE(CLUB, '') = '' OR COALESCE(SEX, '') = ''");
  sqlite3_stmt* result = database.Prepare(
      "INSERT INTO RESULT (EVENT_ID, PERSON_ID, CLASS, PLACE, RESULT, POINT) VALUES (?, ?, ?, ?, ?, ?)");
  for (const pugi::xml_node classResult : resultList.children("ClassResult")) {
    const std::string_view className = classResult.child("Class").child_value("Name");
    const std::vector<Runner> runners = RunnersOf(classResult);
    const std::optional<double> reference = ReferenceTime(runners);
    for (const Runner& runner : runners) {
      database.Run(person, {runner.personId, runner.name, runner.club, runner.sex});
      Database::Bind(result, {eventId, runner.personId, className, runner.place, runner.result},
                     Points(reference, runner));
      // The import stores a place as the number it is.
      if (runner.placed) sqlite3_bind_int64(result, 4, std::atoll(runner.place.c_str()));
      database.Step(result);
    }
  }
  database.Execute("COMMIT");
}
