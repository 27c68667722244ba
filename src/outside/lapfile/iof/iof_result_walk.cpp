#include "outside/lapfile/iof/iof_result_walk.h"

#include "outside/lapfile/iof/iof_xml.h"
#include "outside/lapfile/iof_values.h"

namespace pointimport::outside::lapfile::iof {

namespace {

bool IsFirstRace(pugi::xml_node result) {
  const pugi::xml_attribute raceNumber = result.attribute("raceNumber");
  return !raceNumber || ParsePlace(raceNumber.value()) == 1;
}

void ReadEvent(pugi::xml_node event, const IofVersionNames& names, ResultList& list) {
  if (list.eventId.empty()) list.eventId = FirstText(event, names.eventId);
  list.eventName = FirstText(event, "Name");
  std::string pieces;
  list.eventDate = ParseIofDate(Utf8Text(Child(Child(event, names.eventStart), "Date"), pieces));
}

// Time, position and status are taken from the Result itself: its split
// times (and in 3.0 its OverallResult, Course and fee elements) hold their
// own.
void ReadResult(pugi::xml_node result, const IofVersionNames& names, PersonResult& person) {
  bool haveTime = false, havePosition = false, haveStatus = false;
  std::string pieces;
  // What follows the three (the split times, mostly) is not read.
  for (pugi::xml_node child = result.first_child(); child && !(haveTime && havePosition && haveStatus);
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Time" && !haveTime) {
      haveTime = true;
      person.seconds = names.parseTime(Utf8Text(child, pieces));
    } else if (name == names.position && !havePosition) {
      havePosition = true;
      person.position = ParsePlace(Utf8Text(child, pieces));
    } else if (name == names.status && !haveStatus) {
      haveStatus = true;
      person.status =
          ParseIofStatus(names.statusInValue ? child.attribute("value").value() : Utf8Text(child, pieces));
    }
  }
}

// Later races' Results are counted, so that the operator hears of what is
// left out; in a list whose races are numbered every child is therefore seen.
bool ReadPersonResult(pugi::xml_node personResult, pugi::xml_node classElement, const IofVersionNames& names,
                      PersonResult& person, std::int32_t& otherRaceResults) {
  pugi::xml_node personElement, organisation, result;
  for (pugi::xml_node child = personResult.first_child();
       child && (names.racesNumbered || !(personElement && organisation && result));
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Person" && !personElement) {
      personElement = child;
    } else if (name == names.organisation && !organisation) {
      organisation = child;
    } else if (name == "Result") {
      if (names.racesNumbered && !IsFirstRace(child)) {
        ++otherRaceResults;
      } else if (!result) {
        result = child;
      }
    }
  }
  if (!result) return false;
  person.runnerName = FamilyAndGivenNames(Child(personElement, names.personName));
  person.clubName = NameOrShortName(organisation);
  person.sex = RunnerSex(personElement, classElement);
  ReadResult(result, names, person);
  return true;
}

ClassResult ReadClassResult(pugi::xml_node classResult, const IofVersionNames& names,
                            std::int32_t& otherRaceResults) {
  const pugi::xml_node classElement = names.classElement(classResult);
  ClassResult lapClass;
  lapClass.name = names.className(classResult, classElement);
  for (pugi::xml_node child = classResult.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || LocalName(child) != "PersonResult") continue;
    PersonResult person;
    if (ReadPersonResult(child, classElement, names, person, otherRaceResults))
      lapClass.results.push_back(std::move(person));
  }
  return lapClass;
}

pugi::xml_node Iof3ClassElement(pugi::xml_node classResult) { return Child(classResult, "Class"); }

std::u16string Iof3ClassName(pugi::xml_node /*classResult*/, pugi::xml_node classElement) {
  return NameOrShortName(classElement);
}

// 2.0.3 names the class by a ClassShortName of its own, or by a Class
// element, which may also stand inside an EventClass.
pugi::xml_node Iof2ClassElement(pugi::xml_node classResult) {
  if (const pugi::xml_node element = Child(classResult, "Class")) return element;
  return Child(Child(classResult, "EventClass"), "Class");
}

std::u16string Iof2ClassName(pugi::xml_node classResult, pugi::xml_node classElement) {
  std::u16string name = FirstText(classResult, "ClassShortName");
  if (name.empty()) name = FirstText(classElement, "ClassShortName");
  if (name.empty()) name = FirstText(classElement, "Name");
  return name;
}

}  // namespace

const IofVersionNames kIof3Names = {
    .rootEventId = {},
    .eventId = "Id",
    .eventStart = "StartTime",
    .organisation = "Organisation",
    .personName = "Name",
    .position = "Position",
    .status = "Status",
    .statusInValue = false,
    .racesNumbered = true,
    .parseTime = ParseIof3Seconds,
    .classElement = Iof3ClassElement,
    .className = Iof3ClassName,
};

const IofVersionNames kIof2Names = {
    .rootEventId = "EventId",
    .eventId = "EventId",
    .eventStart = "StartDate",
    .organisation = "Club",
    .personName = "PersonName",
    .position = "ResultPosition",
    .status = "CompetitorStatus",
    .statusInValue = true,
    .racesNumbered = false,
    .parseTime = ParseIof2Time,
    .classElement = Iof2ClassElement,
    .className = Iof2ClassName,
};

ResultList ReadIofResultListElement(pugi::xml_node resultList, const IofVersionNames& names) {
  ResultList list;
  bool haveEvent = false;
  for (pugi::xml_node child = resultList.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (!names.rootEventId.empty() && name == names.rootEventId && list.eventId.empty()) {
      list.eventId = Text(child);
    } else if (name == "Event" && !haveEvent) {
      haveEvent = true;
      ReadEvent(child, names, list);
    } else if (name == "ClassResult") {
      list.classes.push_back(ReadClassResult(child, names, list.otherRaceResults));
    }
  }
  return list;
}

}  // namespace pointimport::outside::lapfile::iof
