#pragma once

// What the window tests share: a platform that records what the window asks
// of it and answers the file dialog from a script, a real SQLite connection
// that records its Open and Close calls, a lap-file component whose answers
// each test sets, and a temporary program folder in which the window's
// objects are these.

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "main/form/window_platform.h"
#include "outside/create_object.h"
#include "outside/lapfile/lap_file_component.h"
#include "outside/sqlite/points_database_file.h"
#include "outside/sqlite/sqlite_connection.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace pointimport::test_support {

class RecordingPlatform : public main::form::WindowPlatform {
 public:
  struct Message {
    std::u16string text;
    int pointer;
    std::u16string details;
  };

  std::u16string ProgramFolder() override { return programFolder; }

  std::optional<std::u16string> ChooseFile(const main::form::FileChoice& choice) override {
    events.push_back("dialog");
    choices.push_back(choice);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void SetMousePointer(int value) override {
    pointer = value;
    events.push_back("pointer " + std::to_string(value));
  }

  void DoEvents() override { events.push_back("events"); }

  void ShowMessage(const std::u16string& text) override { ShowMessageWithDetails(text, u""); }
  void ShowMessageWithDetails(const std::u16string& text, const std::u16string& details) override {
    events.push_back("message");
    messages.push_back({text, pointer, details});
    if (onMessage) onMessage();
  }
  // Answers No unless a test says Yes.
  bool AskYesNo(const std::u16string& text) override {
    events.push_back("question");
    questions.push_back(text);
    return answerYes;
  }

  std::u16string programFolder;
  // The file dialog's answers in turn; nothing (a cancel) once they run out.
  std::deque<std::optional<std::u16string>> answers;
  std::vector<main::form::FileChoice> choices;
  std::vector<std::string> events;
  std::vector<Message> messages;
  std::vector<std::u16string> questions;
  bool answerYes = false;
  int pointer = kDefaultPointer;
  std::function<void()> onMessage;
};

class RecordingConnection : public outside::sqlite::SqliteConnection {
 public:
  explicit RecordingConnection(std::vector<std::u16string>& calls) : calls_(calls) {}

  void Open(const std::u16string& connectionString) override {
    calls_.push_back(u"Open " + connectionString);
    SqliteConnection::Open(connectionString);
  }
  void Close() override {
    calls_.push_back(u"Close");
    SqliteConnection::Close();
  }

 private:
  std::vector<std::u16string>& calls_;
};

// What the scripted component does when a path is loaded.
struct LapOutcome {
  convert::Variant loaded = convert::Variant(true);
  convert::Variant description = convert::Variant(u"");
  convert::Variant keyword = convert::Variant(u"");
  std::optional<convert::RuntimeError> loadError;
  convert::Variant loadFailureReason = convert::Variant(u"");
};

class ScriptedLapComponent : public outside::LapComponent {
 public:
  std::map<std::u16string, LapOutcome> outcomes;
  std::vector<std::u16string> calls;
  LapOutcome current;  // what the event data shows now

  std::shared_ptr<outside::LapFileControl> FileControl() override {
    return std::make_shared<FileControlObject>(*this);
  }
  std::shared_ptr<outside::LapEventData> EventData() override {
    return std::make_shared<EventDataObject>(*this);
  }
  convert::Variant ClassCount() override { return convert::Variant(std::int32_t{0}); }
  std::shared_ptr<outside::LapClassData> ClassData(std::int32_t) override { return nullptr; }
  std::shared_ptr<outside::LapResultsHolder> NewResultsHolder() override { return nullptr; }

 private:
  struct FileControlObject : outside::LapFileControl {
    explicit FileControlObject(ScriptedLapComponent& owner) : owner(owner) {}
    convert::Variant FileLoadFilter() override {
      owner.calls.push_back(u"FileLoadFilter");
      return convert::Variant(u"ラップ (*.xml)|*.xml");
    }
    convert::Variant LoadLapFile(const std::u16string& path) override {
      owner.calls.push_back(u"LoadLapFile " + path);
      const LapOutcome outcome = owner.outcomes.at(path);
      if (outcome.loadError) throw *outcome.loadError;
      owner.current = outcome;
      return outcome.loaded;
    }
    convert::Variant LastLoadError() override { return owner.current.loadFailureReason; }
    ScriptedLapComponent& owner;
  };
  struct EventDataObject : outside::LapEventData {
    explicit EventDataObject(ScriptedLapComponent& owner) : owner(owner) {}
    convert::Variant ToString() override {
      owner.calls.push_back(u"ToString");
      return owner.current.description;
    }
    convert::Variant FileName() override {
      owner.calls.push_back(u"FileName");
      return owner.current.keyword;
    }
    convert::Variant EventName() override { return owner.current.description; }
    convert::Variant Terrain() override { return convert::Variant(u""); }
    convert::Variant EventDate() override { return convert::Variant::Null(); }
    ScriptedLapComponent& owner;
  };
};

inline const char16_t kNoKeywordText[] = u"[エラー] ファイル名キーワードが指定されていません";

// A program folder, a fresh temporary folder or one inside it named by its
// native bytes, with or without a points database in it. The objects that
// the window creates by ProgID are the recording connection and, unless a
// test registers another, the scripted component; the program's own come
// back when the fixture goes.
struct ProgramFolder {
  std::string nativeName;  // empty: the temporary folder itself
  bool endsInSeparator = false;
};

class WindowFixture {
 public:
  enum class Database { Present, Missing };

  explicit WindowFixture(Database database = Database::Present, const ProgramFolder& where = ProgramFolder()) {
    const std::filesystem::path native = where.nativeName.empty() ? dir.Path() : dir.Path() / where.nativeName;
    std::filesystem::create_directories(native);
    folder = convert::PathFromNative(native.native()) + (where.endsInSeparator ? u"/" : u"");
    databasePath = native / convert::NativePath(outside::sqlite::kPointsDatabaseFileName);
    if (database == Database::Present) CreateTestDatabase(databasePath);
    platform.programFolder = folder;
    outside::RegisterObject(outside::kConnectionProgId,
                            [this] { return std::make_shared<RecordingConnection>(connectionCalls); });
    outside::RegisterObject(outside::kLapComponentProgId, [this] { return component; });
  }

  ~WindowFixture() {
    outside::RegisterObject(outside::kConnectionProgId,
                            [] { return std::make_shared<outside::sqlite::SqliteConnection>(); });
    outside::RegisterObject(outside::kLapComponentProgId,
                            [] { return std::make_shared<outside::lapfile::LapFileComponent>(); });
  }

  WindowFixture(const WindowFixture&) = delete;
  WindowFixture& operator=(const WindowFixture&) = delete;

  ScriptedLapComponent& Scripted() { return static_cast<ScriptedLapComponent&>(*component); }

  TempDir dir;
  std::u16string folder;
  std::filesystem::path databasePath;
  std::vector<std::u16string> connectionCalls;
  std::shared_ptr<outside::LapComponent> component = std::make_shared<ScriptedLapComponent>();
  RecordingPlatform platform;
};

}  // namespace pointimport::test_support
