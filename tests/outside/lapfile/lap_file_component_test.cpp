#include "outside/lapfile/lap_file_component.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "convert/utf.h"
#include "outside/lapfile/lap_file_loader.h"
#include "support/temp_dir.h"

namespace pointimport::outside::lapfile {
namespace {

using convert::Variant;
using convert::VariantKind;

std::u16string DataPath(const std::string& name) {
  return convert::Utf8ToUtf16(std::string(POINTIMPORT_TEST_DATA_DIR) + "/" + name);
}

bool Load(LapFileComponent& component, const std::string& name) {
  return component.FileControl()->LoadLapFile(DataPath(name)).AsBoolean();
}

void ExpectOutOfRange(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no error";
  } catch (const convert::RuntimeError& error) {
    EXPECT_EQ(error.Number(), convert::error_number::kSubscriptOutOfRange);
  }
}

void ExpectNoEvent(LapFileComponent& component) {
  const auto event = component.EventData();
  EXPECT_EQ(event->FileName(), Variant(u""));
  EXPECT_EQ(event->ToString(), Variant(u""));
  EXPECT_EQ(event->EventName(), Variant(u""));
  EXPECT_EQ(event->EventDate(), Variant::Null());
  EXPECT_EQ(component.ClassCount(), Variant(std::int32_t{0}));
  ExpectOutOfRange([&] { component.ClassData(1); });
  ExpectOutOfRange([&] { component.NewResultsHolder()->AddClass(1); });
}

TEST(LapFileComponent, OffersItsFilterAndHoldsNoEventBeforeALoad) {
  LapFileComponent component;
  EXPECT_EQ(
      component.FileControl()->FileLoadFilter(),
      Variant(u"IOF XML 結果ファイル (*.xml)|*.xml|CSV 結果ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*"));
  ExpectNoEvent(component);
}

TEST(LapFileComponent, PresentsTheLoadedEventInItsKinds) {
  LapFileComponent component;
  const Variant loaded = component.FileControl()->LoadLapFile(DataPath("iof/ResultList1.xml"));
  EXPECT_EQ(loaded, Variant(true));

  const auto event = component.EventData();
  EXPECT_EQ(event->FileName(), Variant(u"ResultList1"));
  EXPECT_EQ(event->EventName(), Variant(u"Example event"));
  EXPECT_EQ(event->Terrain(), Variant(u""));
  EXPECT_EQ(event->EventDate(), Variant::Date(convert::DayNumber(2011, 7, 30)));
  EXPECT_EQ(event->ToString(), Variant(u"2011/07/30 Example event（2 クラス・3 名）"));
  EXPECT_EQ(component.ClassCount(), Variant(std::int32_t{2}));
  EXPECT_EQ(component.ClassData(2)->ClassName(), Variant(u"Open"));
  ExpectOutOfRange([&] { component.ClassData(0); });
  ExpectOutOfRange([&] { component.ClassData(3); });

  const auto holder = component.NewResultsHolder();
  holder->Clear();
  holder->AddClass(1);
  EXPECT_EQ(holder->Count(), Variant(std::int32_t{2}));
  const auto first = holder->Item(1);
  EXPECT_EQ(first->Result(), Variant(u"0:33:21"));
  EXPECT_EQ(first->Rank(), Variant(std::int32_t{1}));
  EXPECT_EQ(first->RunnerName(), Variant(u"Wood George"));
  EXPECT_EQ(first->ClubName(), Variant(u"OC Back and Forth"));
  EXPECT_EQ(first->Sex(), Variant(u""));
  EXPECT_EQ(first->ClassName(), Variant(u"Men Elite"));
  EXPECT_EQ(holder->Item(2)->Rank(), Variant(u""));
  ExpectOutOfRange([&] { holder->Item(0); });
  ExpectOutOfRange([&] { holder->Item(3); });
  ExpectOutOfRange([&] { holder->AddClass(3); });

  // AddClass after AddClass holds both; Clear empties.
  holder->AddClass(2);
  EXPECT_EQ(holder->Count(), Variant(std::int32_t{3}));
  EXPECT_EQ(holder->Item(3)->ClassName(), Variant(u"Open"));
  holder->Clear();
  EXPECT_EQ(holder->Count(), Variant(std::int32_t{0}));
}

TEST(LapFileComponent, NeverHandsOutAnEmptyValue) {
  for (const char* file : {"iof/ResultList1.xml", "iof/ResultList3.xml", "iof/ResultList_example.xml",
                           "lap/statuses_v3.xml", "lap/statuses_v2.xml"}) {
    SCOPED_TRACE(file);
    LapFileComponent component;
    ASSERT_TRUE(Load(component, file));
    const auto event = component.EventData();
    for (const Variant& value : {event->FileName(), event->EventName(), event->Terrain(), event->EventDate(),
                                 event->ToString(), component.ClassCount()}) {
      EXPECT_FALSE(value.IsEmpty());
    }
    const auto holder = component.NewResultsHolder();
    for (std::int32_t i = 1; i <= component.ClassCount().AsLong(); ++i) {
      EXPECT_EQ(component.ClassData(i)->ClassName().Kind(), VariantKind::String);
      holder->Clear();
      holder->AddClass(i);
      for (std::int32_t j = 1; j <= holder->Count().AsLong(); ++j) {
        const auto result = holder->Item(j);
        EXPECT_EQ(result->Result().Kind(), VariantKind::String);
        EXPECT_TRUE(result->Rank().Kind() == VariantKind::Long || result->Rank().Kind() == VariantKind::String);
        for (const Variant& text :
             {result->RunnerName(), result->ClubName(), result->Sex(), result->ClassName()}) {
          EXPECT_EQ(text.Kind(), VariantKind::String);
        }
      }
    }
  }
}

TEST(LapFileComponent, AFailedLoadLeavesNoEventBehind) {
  for (const char* file :
       {"lap/missing.xml", "lap/shift_jis_broken.xml", "lap/not_well_formed.xml", "lap/wrong_root.xml"}) {
    SCOPED_TRACE(file);
    LapFileComponent component;
    const auto holder = component.NewResultsHolder();
    ASSERT_TRUE(Load(component, "lap/shift_jis.xml"));
    EXPECT_EQ(component.FileControl()->LoadLapFile(DataPath(file)), Variant(false));
    ExpectNoEvent(component);
    ExpectOutOfRange([&] { holder->AddClass(1); });
  }
}

TEST(LapFileComponent, AHolderTakesItsClassesFromTheFileLoadedLast) {
  LapFileComponent component;
  const auto holder = component.NewResultsHolder();
  ASSERT_TRUE(Load(component, "lap/shift_jis.xml"));
  ASSERT_TRUE(Load(component, "lap/cp932.xml"));
  holder->AddClass(1);
  EXPECT_EQ(holder->Item(1)->RunnerName(), Variant(u"髙橋 一郎"));
}

TEST(LapFileComponent, SaysWhyAFileCannotBeLoaded) {
  test_support::TempDir dir;
  const std::filesystem::path fifo = dir.File("fifo.xml");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path locked = dir.File("locked.xml");
  test_support::WriteFileBytes(locked, "<ResultList/>");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const std::filesystem::path huge = dir.File("huge.xml");
  test_support::WriteFileBytes(huge, "<ResultList/>");
  std::filesystem::resize_file(huge, kMaxLapFileBytes + 1);  // sparse: nothing is written
  const std::filesystem::path badUtf8 = dir.File("bad_utf8.xml");
  test_support::WriteFileBytes(badUtf8, "<ResultList>\n<Name>\xE3\x81\x82\xE3\x81</Name>\n</ResultList>");
  const std::string data = POINTIMPORT_TEST_DATA_DIR;

  const struct {
    std::string path;
    std::u16string reason;
  } cases[] = {
      {data + "/lap/missing.xml",
       u"ファイルが見つかりません: " + convert::Utf8ToUtf16(data) + u"/lap/missing.xml"},
      {data + "/lap", u"フォルダーはファイルとして読めません: "},
      {fifo.string(), u"名前付きパイプ (FIFO) はファイルとして読めません: "},
      {locked.string(), u"ファイルを読む権限がありません: "},
      {data + "/lap/shift_jis_broken.xml",
       u"Shift_JIS として正しくないバイトがあります (行 17、位置 425 バイト目)"},
      {badUtf8.string(), u"UTF-8 として正しくないバイトがあります (行 2、位置 22 バイト目)"},
      {data + "/lap/not_well_formed.xml", u"XML として正しくありません: Start-end tags mismatch (行 24)"},
      {data + "/lap/wrong_root.xml", u"IOF XML の結果リストではありません (ルート要素 EntryList)"},
      {huge.string(), u"ファイルが大きすぎます: " + convert::Utf8ToUtf16(huge.string()) +
                          u" (268435457 バイト、読めるのは 268435456 バイトまで)"},
  };
  for (const auto& c : cases) {
    // The superuser reads whatever the permissions say.
    if (c.path == locked.string() && ::geteuid() == 0) continue;
    LapFileComponent component;
    const auto control = component.FileControl();
    ASSERT_TRUE(Load(component, "lap/shift_jis.xml"));
    EXPECT_EQ(control->LastLoadError(), Variant(u""));
    EXPECT_EQ(control->LoadLapFile(convert::Utf8ToUtf16(c.path)), Variant(false)) << c.path;
    const std::u16string reason = control->LastLoadError().AsString();
    EXPECT_NE(reason.find(c.reason), std::u16string::npos) << c.path << ": " << convert::Utf16ToUtf8(reason);
  }
}

// A Delta list holds only the results changed since an earlier list: it
// would replace the whole event with a part of it.
TEST(LapFileComponent, RefusesAListOfChangesAndMarksASnapshotProvisional) {
  test_support::TempDir dir;
  const auto v3 = [&](const std::string& name, const std::string& status) {
    test_support::WriteFileBytes(dir.File(name),
                                 R"(<ResultList xmlns="http://www.orienteering.org/datastandard/3.0" )"
                                 R"(iofVersion="3.0" status=")" +
                                     status + R"("><Event><Name>E</Name></Event>
        <ClassResult><Class><Name>M</Name></Class><PersonResult><Person><Name><Family>F</Family></Name></Person>
          <Result><Time>60</Time><Status>OK</Status></Result></PersonResult></ClassResult></ResultList>)");
    return dir.File(name).string();
  };
  const struct {
    std::string path;
    bool loads;
    bool provisional;
  } cases[] = {
      {v3("delta.xml", "Delta"), false, false},
      {v3("lower_delta.xml", "delta"), false, false},
      {v3("snapshot.xml", "Snapshot"), true, true},
      {v3("complete.xml", "Complete"), true, false},
      {std::string(POINTIMPORT_TEST_DATA_DIR) + "/iof/ResultList_example.xml", true, true},  // 2.0.3 "snapshot"
      {std::string(POINTIMPORT_TEST_DATA_DIR) + "/iof/ResultList_example2.xml", false, false},  // 2.0.3 "delta"
  };
  for (const auto& c : cases) {
    LapFileComponent component;
    const auto control = component.FileControl();
    EXPECT_EQ(control->LoadLapFile(convert::Utf8ToUtf16(c.path)), Variant(c.loads)) << c.path;
    EXPECT_EQ(component.EventData()->Provisional(), Variant(c.provisional)) << c.path;
    if (c.loads) continue;
    EXPECT_NE(convert::ToText(control->LastLoadError()).find(u"elta\")"), std::u16string::npos);
  }
  // A provisional list is described as any other.
  LapFileComponent component;
  ASSERT_TRUE(
      component.FileControl()->LoadLapFile(convert::Utf8ToUtf16(v3("snapshot.xml", "Snapshot"))).AsBoolean());
  EXPECT_EQ(component.EventData()->ToString(), Variant(u"E（1 クラス・1 名）"));
}

// Names unpacked from an archive made on Japanese Windows are CP932; read
// as UTF-8 they would all be replacement characters, and share one keyword.
TEST(LapFileComponent, TakesTheKeywordOfANameThatIsNotUtf8FromCp932OrRefusesTheFile) {
  test_support::TempDir dir;
  const struct {
    std::string name;
    const char16_t* keyword;  // null: refused
  } cases[] = {
      {"\x93\x8C\x8B\x9E", u"東京"},
      {"\x92\xB7\x96\xEC", u"長野"},
      {"\xE5\x90\x8D\xFF-2024", nullptr},  // 名 in UTF-8, then a byte that is neither
  };
  for (const auto& c : cases) {
    const std::string path = dir.File(c.name + ".csv").native();
    test_support::WriteFileBytes(path, "Surname;Time;Classifier;Short\nWood;33:21;0;W21\n");
    LapFileComponent component;
    const auto control = component.FileControl();
    EXPECT_EQ(control->LoadLapFile(convert::PathFromNative(path)), Variant(c.keyword != nullptr)) << c.name;
    if (c.keyword != nullptr) {
      EXPECT_EQ(component.EventData()->FileName(), Variant(c.keyword));
      continue;
    }
    const std::u16string reason = control->LastLoadError().AsString();
    EXPECT_NE(reason.find(u"ファイル名を読めません"), std::u16string::npos);
    EXPECT_NE(reason.find(u"名\\xFF-2024.csv"), std::u16string::npos) << convert::Utf16ToUtf8(reason);
    EXPECT_EQ(reason.find(u'\uFFFD'), std::u16string::npos);
  }
}

}  // namespace
}  // namespace pointimport::outside::lapfile
