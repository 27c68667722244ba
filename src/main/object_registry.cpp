#include "main/object_registry.h"

#include <memory>

#include "outside/create_object.h"
#include "outside/lapfile/lap_file_component.h"
#include "outside/sqlite/sqlite_connection.h"

namespace pointimport::main {

void RegisterSystemObjects() {
  outside::RegisterObject(outside::kConnectionProgId,
                          [] { return std::make_shared<outside::sqlite::SqliteConnection>(); });
  outside::RegisterObject(outside::kLapComponentProgId,
                          [] { return std::make_shared<outside::lapfile::LapFileComponent>(); });
}

}  // namespace pointimport::main
