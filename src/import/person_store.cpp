#include "import/person_store.h"

#include "convert/runtime_error.h"
#include "convert/sql_value.h"
#include "import/person_id.h"
#include "import/statements.h"

namespace pointimport::import {

using convert::ToText;
using convert::Variant;

namespace {

std::u16string StoredText(const outside::RecordSet& records, std::u16string_view column) {
  return ToText(convert::NullToDefault(records.Fields(column).Value, Variant(u"")));
}

}  // namespace

std::u16string StorePerson(outside::Connection& connection, outside::LapComponent& component,
                           outside::LapResult& result, std::int32_t classNumber, FailureLines& failures) {
  const std::u16string personId = MakePersonId(ToText(result.RunnerName()));

  const auto records = connection.Execute(PersonLookupStatement(personId));
  bool found = false;
  std::u16string name, club, sex;
  if (!records->Eof()) {
    name = StoredText(*records, u"NAME");
    club = StoredText(*records, u"CLUB");
    sex = StoredText(*records, u"SEX");
    found = true;
  }
  records->Close();

  if (name.empty()) name = ToText(result.RunnerName());
  if (club.empty()) club = ToText(result.ClubName());
  if (sex.empty()) sex = ToText(result.Sex());

  const std::u16string write = found ? PersonUpdateStatement(personId, name, club, sex)
                                     : PersonInsertStatement(personId, name, club, sex);
  try {
    connection.ExecuteInSavepoint(write);
  } catch (const convert::RuntimeError&) {
    AddFailureLine(failures, kPersonFailurePrefix, component, classNumber, result);
  }
  return personId;
}

}  // namespace pointimport::import
