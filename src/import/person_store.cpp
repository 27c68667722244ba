#include "import/person_store.h"

#include <optional>
#include <utility>

#include "convert/sql_value.h"
#include "import/person_id.h"
#include "import/statements.h"

namespace pointimport::import {

using convert::ToText;
using convert::Variant;

namespace {

// Reads a stored field into text; false when the text is not exactly what
// is stored.
bool ReadStoredText(const outside::RecordSet& records, std::u16string_view column, std::u16string& text) {
  const outside::Field field = records.Fields(column);
  text = ToText(convert::NullToDefault(field.Value, Variant(u"")));
  return field.readExactly;
}

// Fills a stored field that is empty from the file; true when that gave it a
// value.
bool Fill(std::u16string& field, const Variant& fromFile) {
  if (!field.empty()) return false;
  field = ToText(fromFile);
  return !field.empty();
}

}  // namespace

StoredPerson StorePerson(ImportRun& run, outside::LapResult& result, std::int32_t classNumber) {
  StoredPerson person;
  person.runnerName = result.RunnerName();
  std::u16string nameText;
  person.id = MakePersonId(convert::TextView(person.runnerName, nameText));

  std::u16string& statement = run.statement;
  statement = PersonLookupStatement(person.id, std::move(statement));
  const auto records = run.connection.Execute(statement);
  bool found = false;
  bool readExactly = true;
  std::u16string name, club, sex;
  if (!records->Eof()) {
    readExactly = ReadStoredText(*records, u"NAME", name);
    readExactly = ReadStoredText(*records, u"CLUB", club) && readExactly;
    readExactly = ReadStoredText(*records, u"SEX", sex) && readExactly;
    found = true;
  }
  records->Close();

  if (!readExactly) {
    // The update writes every field back, and such a field would go back as
    // U+FFFD: the row stays as it is, and the report says why.
    person.clubName = result.ClubName();
    person.state = PersonState::Existing;
    person.storedValueUnreadable = true;
    return person;
  }

  // The name and the sex are read only to fill an empty field. The club is
  // read for every result, at the place where the write reads it, because
  // the report compares it with the stored club; it changes no statement.
  bool filled = name.empty() && Fill(name, result.RunnerName());
  person.clubName = result.ClubName();
  if (club.empty()) {
    filled = Fill(club, person.clubName) || filled;
  } else if (person.clubName.IsString() && !person.clubName.AsString().empty()) {
    person.otherClub = found && club != person.clubName.AsString();
  }
  filled = (sex.empty() && Fill(sex, result.Sex())) || filled;

  statement = found ? PersonUpdateStatement(person.id, name, club, sex, std::move(statement))
                    : PersonInsertStatement(person.id, name, club, sex, std::move(statement));
  if (std::optional<std::u16string> cause = run.WriteRunnerRow(kPersonFailurePrefix, classNumber, result)) {
    person.state = PersonState::Refused;
    person.failureCause = std::move(*cause);
  } else {
    person.state = !found ? PersonState::New : filled ? PersonState::Completed : PersonState::Existing;
  }
  return person;
}

}  // namespace pointimport::import
