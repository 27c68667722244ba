#include "outside/lapfile/iof/iof3_reader.h"

#include "outside/lapfile/iof/iof_xml.h"
#include "outside/lapfile/iof_values.h"

namespace pointimport::outside::lapfile::iof {

namespace {

bool IsFirstRace(pugi::xml_node result) {
  const pugi::xml_attribute raceNumber = result.attribute("raceNumber");
  return !raceNumber || ParsePlace(raceNumber.value()) == 1;
}

void ReadEvent(pugi::xml_node event, ResultList& list) {
  list.eventId = FirstText(event, "Id");
  list.eventName = FirstText(event, "Name");
  std::string pieces;
  list.eventDate = ParseIofDate(Utf8Text(Child(Child(event, "StartTime"), "Date"), pieces));
}

// Time, Position and Status are taken from the Result itself: its
// SplitTime, OverallResult, Course and fee elements hold their own.
void ReadResult(pugi::xml_node result, PersonResult& person) {
  bool haveTime = false, havePosition = false, haveStatus = false;
  std::string pieces;
  // What follows the three (the split times, mostly) is not read.
  for (pugi::xml_node child = result.first_child(); child && !(haveTime && havePosition && haveStatus);
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Time" && !haveTime) {
      haveTime = true;
      person.seconds = ParseIof3Seconds(Utf8Text(child, pieces));
    } else if (name == "Position" && !havePosition) {
      havePosition = true;
      person.position = ParsePlace(Utf8Text(child, pieces));
    } else if (name == "Status" && !haveStatus) {
      haveStatus = true;
      person.status = ParseIofStatus(Utf8Text(child, pieces));
    }
  }
}

bool ReadPersonResult(pugi::xml_node personResult, pugi::xml_node classElement, PersonResult& person) {
  pugi::xml_node personElement, organisation, result;
  for (pugi::xml_node child = personResult.first_child(); child && !(personElement && organisation && result);
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Person" && !personElement) {
      personElement = child;
    } else if (name == "Organisation" && !organisation) {
      organisation = child;
    } else if (name == "Result" && !result && IsFirstRace(child)) {
      result = child;
    }
  }
  if (!result) return false;
  person.runnerName = FamilyAndGivenNames(Child(personElement, "Name"));
  person.clubName = NameOrShortName(organisation);
  person.sex = RunnerSex(personElement, classElement);
  ReadResult(result, person);
  return true;
}

ClassResult ReadClassResult(pugi::xml_node classResult) {
  const pugi::xml_node classElement = Child(classResult, "Class");
  ClassResult lapClass;
  lapClass.name = NameOrShortName(classElement);
  for (pugi::xml_node child = classResult.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || LocalName(child) != "PersonResult") continue;
    PersonResult person;
    if (ReadPersonResult(child, classElement, person)) lapClass.results.push_back(std::move(person));
  }
  return lapClass;
}

}  // namespace

ResultList ReadIof3ResultList(pugi::xml_node resultList) {
  ResultList list;
  bool haveEvent = false;
  for (pugi::xml_node child = resultList.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Event" && !haveEvent) {
      haveEvent = true;
      ReadEvent(child, list);
    } else if (name == "ClassResult") {
      list.classes.push_back(ReadClassResult(child));
    }
  }
  return list;
}

}  // namespace pointimport::outside::lapfile::iof
