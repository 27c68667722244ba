// The file dialog routine and the dialog control it drives.
#include <gtest/gtest.h>

#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "main/form/common_dialog.h"
#include "main/form/show_file_dialog.h"

namespace pointimport::test_support {
namespace {

using main::form::FileChoice;

// Records each member called, as "Member" or "Member=value", and raises an
// error from the one member named.
class FakeDialogControl : public main::form::FileDialogControl {
 public:
  FakeDialogControl(std::string failingMember, std::int32_t errorNumber)
      : failingMember_(std::move(failingMember)), errorNumber_(errorNumber) {}

  void SetDialogTitle(const std::u16string& title) override {
    Call("DialogTitle=" + convert::Utf16ToUtf8(title));
  }
  void SetFilter(const std::u16string& filter) override { Call("Filter=" + convert::Utf16ToUtf8(filter)); }
  void SetCancelError(bool cancelError) override {
    Call(cancelError ? "CancelError=True" : "CancelError=False");
  }
  void SetFlags(std::int32_t flags) override { Call("Flags=" + std::to_string(flags)); }
  void ShowOpen() override { Call("ShowOpen"); }
  void ShowSave() override { Call("ShowSave"); }
  std::u16string FileName() const override {
    const_cast<FakeDialogControl*>(this)->Call("FileName");
    return u"/laps/chosen.xml";
  }

  std::vector<std::string> calls;

 private:
  void Call(const std::string& call) {
    calls.push_back(call);
    if (call.substr(0, call.find('=')) == failingMember_) {
      throw convert::RuntimeError(errorNumber_, u"ダイアログのエラー");
    }
  }

  std::string failingMember_;
  std::int32_t errorNumber_;
};

class ScriptedChooser : public main::form::FileChooser {
 public:
  std::optional<std::u16string> ChooseFile(const FileChoice& choice) override {
    choices.push_back(choice);
    return answer;
  }
  std::optional<std::u16string> answer;
  std::vector<FileChoice> choices;
};

std::vector<std::string> SetUpThen(std::vector<std::string> calls) {
  calls.insert(calls.begin(), {"DialogTitle=開く", "Filter=F|*.f", "CancelError=True"});
  return calls;
}

TEST(ShowFileDialog, TestsTheErrorNumber) {
  const std::u16string chosen = u"/laps/chosen.xml";
  const struct {
    const char* name;
    int mode;
    std::string failingMember;
    std::int32_t errorNumber;
    std::u16string result;
    std::vector<std::string> calls;
  } cases[] = {
      {"open", 0, "", 0, chosen, SetUpThen({"Flags=281800", "ShowOpen", "FileName"})},
      {"save asking", 1, "", 0, chosen, SetUpThen({"Flags=280802", "ShowSave", "FileName"})},
      {"save", 2, "", 0, chosen, SetUpThen({"Flags=280800", "ShowSave", "FileName"})},
      {"unknown mode", 3, "", 0, chosen, SetUpThen({"FileName"})},
      {"negative mode", -1, "", 0, chosen, SetUpThen({"FileName"})},
      {"cancelled", 0, "ShowOpen", 32755, u"", SetUpThen({"Flags=281800", "ShowOpen"})},
      {"other dialog error", 2, "ShowSave", 20476, u"", SetUpThen({"Flags=280800", "ShowSave"})},
      {"negative error", 0, "ShowOpen", -2147467259, chosen,
       SetUpThen({"Flags=281800", "ShowOpen", "FileName"})},
      {"flags refused, dialog still shown", 0, "Flags", 380, u"", SetUpThen({"Flags=281800", "ShowOpen"})},
      {"file name unreadable", 0, "FileName", 5, u"", SetUpThen({"Flags=281800", "ShowOpen", "FileName"})},
  };
  for (const auto& c : cases) {
    FakeDialogControl dialog(c.failingMember, c.errorNumber);
    EXPECT_EQ(main::form::ShowFileDialog(dialog, c.mode, u"開く", u"F|*.f"), c.result) << c.name;
    EXPECT_EQ(dialog.calls, c.calls) << c.name;
  }
}

// Before the trapped part an error reaches the caller.
TEST(ShowFileDialog, PassesOnAnErrorInItsSetUp) {
  for (const char* failingMember : {"DialogTitle", "Filter", "CancelError"}) {
    FakeDialogControl dialog(failingMember, 5);
    EXPECT_THROW(main::form::ShowFileDialog(dialog, 0, u"開く", u"F|*.f"), convert::RuntimeError)
        << failingMember;
    EXPECT_EQ(std::count(dialog.calls.begin(), dialog.calls.end(), "ShowOpen"), 0) << failingMember;
  }
}

TEST(CommonDialog, KeepsTheChosenPathAndOffersItAgain) {
  ScriptedChooser chooser;
  main::form::CommonDialog dialog(chooser);
  dialog.SetCancelError(true);
  chooser.answer = u"/laps/a.xml";
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName(), u"/laps/a.xml");
  chooser.answer.reset();
  EXPECT_THROW(dialog.ShowOpen(), convert::RuntimeError);
  EXPECT_EQ(dialog.FileName(), u"/laps/a.xml");
  EXPECT_EQ(chooser.choices.at(0).offeredPath, u"");
  EXPECT_EQ(chooser.choices.at(1).offeredPath, u"/laps/a.xml");
}

TEST(CommonDialog, ActsOnTheFlagsThatApply) {
  const struct {
    bool save;
    std::int32_t flags;
    bool confirmOverwrite;
    bool folderMustExist;
  } cases[] = {{false, 0x44CC8, false, true}, {true, 0x448E2, true, true}, {true, 0x448E0, false, true}};
  for (const auto& c : cases) {
    ScriptedChooser chooser;
    main::form::CommonDialog dialog(chooser);
    dialog.SetDialogTitle(u"題");
    dialog.SetFilter(u"F|*.f");
    dialog.SetFlags(c.flags);
    c.save ? dialog.ShowSave() : dialog.ShowOpen();
    const FileChoice& choice = chooser.choices.at(0);
    EXPECT_EQ(choice.title, u"題");
    EXPECT_EQ(choice.filter, u"F|*.f");
    EXPECT_EQ(choice.save, c.save);
    EXPECT_EQ(choice.confirmOverwrite, c.confirmOverwrite) << c.flags;
    EXPECT_EQ(choice.folderMustExist, c.folderMustExist) << c.flags;
  }
}

}  // namespace
}  // namespace pointimport::test_support
