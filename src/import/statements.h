#pragma once

#include <string>

#include "convert/variant.h"

namespace pointimport::import {

// The statements of an import, built as text piece by piece. Every blank
// belongs to the statement, doubled and trailing ones included: stored
// databases and tools around them have always seen exactly these texts.

// The keyword stands inside the apostrophes as FormatSqlValue writes a
// String's inside (apostrophes doubled), so the deletions match exactly the
// rows inserted under that keyword and no keyword can end its literal early.
std::u16string EventDeleteStatement(const std::u16string& keyword);
std::u16string ResultsDeleteStatement(const std::u16string& keyword);

std::u16string EventInsertStatement(const convert::Variant& fileName, const convert::Variant& eventName,
                                    const convert::Variant& terrain, const convert::Variant& eventDate);

// The statements written for every runner are built in room: its text is
// dropped and its allocation reused, so that a run handing back the last
// statement it executed builds thousands without allocating for each.

std::u16string ResultInsertStatement(const convert::Variant& fileName, const std::u16string& personId,
                                     const convert::Variant& className, const convert::Variant& rank,
                                     const convert::Variant& result, double points, std::u16string room = {});

std::u16string PersonLookupStatement(const std::u16string& personId, std::u16string room = {});

std::u16string PersonUpdateStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex,
                                     std::u16string room = {});

std::u16string PersonInsertStatement(const std::u16string& personId, const std::u16string& name,
                                     const std::u16string& club, const std::u16string& sex,
                                     std::u16string room = {});

}  // namespace pointimport::import
