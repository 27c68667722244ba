#pragma once

namespace pointimport::main {

// Registers the objects the programs create by ProgID: the points database
// connection and the lap-file component. Called once at each program's start,
// before the first CreateObject; which engine or reader stands behind a ProgID
// is decided here and nowhere else.
void RegisterSystemObjects();

}  // namespace pointimport::main
