#include "outside/lapfile/iof/iof2_reader.h"

#include "outside/lapfile/iof/iof_xml.h"
#include "outside/lapfile/iof_values.h"

namespace pointimport::outside::lapfile::iof {

namespace {

void ReadEvent(pugi::xml_node event, ResultList& list) {
  if (list.eventId.empty()) list.eventId = FirstText(event, "EventId");
  list.eventName = FirstText(event, "Name");
  std::string pieces;
  list.eventDate = ParseIofDate(Utf8Text(Child(Child(event, "StartDate"), "Date"), pieces));
}

// Time, ResultPosition and CompetitorStatus are taken from the Result
// itself: its SplitTimes hold Times of their own.
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
      person.seconds = ParseIof2Time(Utf8Text(child, pieces));
    } else if (name == "ResultPosition" && !havePosition) {
      havePosition = true;
      person.position = ParsePlace(Utf8Text(child, pieces));
    } else if (name == "CompetitorStatus" && !haveStatus) {
      haveStatus = true;
      person.status = ParseIofStatus(child.attribute("value").value());
    }
  }
}

bool ReadPersonResult(pugi::xml_node personResult, pugi::xml_node classElement, PersonResult& person) {
  pugi::xml_node personElement, club, result;
  for (pugi::xml_node child = personResult.first_child(); child && !(personElement && club && result);
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "Person" && !personElement) {
      personElement = child;
    } else if (name == "Club" && !club) {
      club = child;
    } else if (name == "Result" && !result) {
      result = child;
    }
  }
  if (!result) return false;
  person.runnerName = FamilyAndGivenNames(Child(personElement, "PersonName"));
  person.clubName = NameOrShortName(club);
  person.sex = RunnerSex(personElement, classElement);
  ReadResult(result, person);
  return true;
}

// The class is named by a ClassShortName of its own, or by a Class element,
// which may also stand inside an EventClass.
pugi::xml_node ClassElement(pugi::xml_node classResult) {
  if (const pugi::xml_node element = Child(classResult, "Class")) return element;
  return Child(Child(classResult, "EventClass"), "Class");
}

ClassResult ReadClassResult(pugi::xml_node classResult) {
  const pugi::xml_node classElement = ClassElement(classResult);
  ClassResult lapClass;
  lapClass.name = FirstText(classResult, "ClassShortName");
  if (lapClass.name.empty()) lapClass.name = FirstText(classElement, "ClassShortName");
  if (lapClass.name.empty()) lapClass.name = FirstText(classElement, "Name");
  for (pugi::xml_node child = classResult.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || LocalName(child) != "PersonResult") continue;
    PersonResult person;
    if (ReadPersonResult(child, classElement, person)) lapClass.results.push_back(std::move(person));
  }
  return lapClass;
}

}  // namespace

ResultList ReadIof2ResultList(pugi::xml_node resultList) {
  ResultList list;
  bool haveEvent = false;
  for (pugi::xml_node child = resultList.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "EventId" && list.eventId.empty()) {
      list.eventId = Text(child);
    } else if (name == "Event" && !haveEvent) {
      haveEvent = true;
      ReadEvent(child, list);
    } else if (name == "ClassResult") {
      list.classes.push_back(ReadClassResult(child));
    }
  }
  return list;
}

}  // namespace pointimport::outside::lapfile::iof
