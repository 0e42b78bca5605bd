// REGC over each settings store this build has: the file store everywhere, and the registry
// itself in the Windows build (run under Wine). Store failures that a real store cannot be made
// to give are scripted; FormatMessage answers "Text for N." so that box texts are exact.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "regc/regc.h"
#include "regc_test_support.h"
#include "store_env.h"

namespace {

constexpr const char* kPrefsKey = "Software\\Harbex\\Zarvex Veltis Utilities\\Pindle";
constexpr unsigned kBoxStyle = kMsgBoxExclamation | kMsgBoxOkOnly;

class RegcStoreTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    env_ = MakeStoreEnv(GetParam());
    store_ = std::make_unique<ScriptedStore>(env_->store());
    InstallSettingsStore(store_.get());
  }
  void TearDown() override {
    RegcClose(key_);
    InstallSettingsStore(nullptr);
  }

  std::string Path(const std::string& sub) const {
    return env_->base() + "\\" + sub;
  }

  // A fresh key for the test, opened for writing.
  uint32_t Key() {
    key_ = RegcOpenWriteCreate(kRegcCurrentUser, Path("Pindle"));
    EXPECT_NE(key_, 0u);
    return key_;
  }

  // Stores bytes exactly as given, bypassing the module (which never writes a NUL).
  void RawSet(const std::string& name, uint32_t type, const std::string& bytes) {
    ASSERT_EQ(env_->store().RegSetValueExA(key_, name, type,
                                           reinterpret_cast<const unsigned char*>(bytes.data()),
                                           static_cast<uint32_t>(bytes.size())),
              kRegcSuccess);
  }

  std::string RawGet(const std::string& name) {
    unsigned char data[2048];
    uint32_t type = 0, len = sizeof data;
    EXPECT_EQ(env_->store().RegQueryValueExA(key_, name, &type, data, &len), kRegcSuccess);
    return std::string(reinterpret_cast<const char*>(data), len);
  }

  // A fresh window after restoring its placement from the text stored as "MainWindow".
  FakeWindow RestoredFrom(const std::string& text) {
    RegcWriteValueString(key_, "MainWindow", text);
    FakeWindow window;
    RegcRestoreWindow(key_, "MainWindow", window);
    return window;
  }

  std::string Hkcu() const {
    return "-2147483647";
  }
  std::string KeyText() const {
    return std::to_string(static_cast<int32_t>(key_));
  }

  BoxRecorder boxes_;
  std::unique_ptr<StoreEnv> env_;
  std::unique_ptr<ScriptedStore> store_;
  uint32_t key_ = 0;
};

// --- text values -------------------------------------------------------------------------

TEST_P(RegcStoreTest, TextReadsBackTheSameWithOrWithoutTerminatingNul) {
  Key();
  RawSet("WithNul", kRegcSz, std::string("Arial\0", 6));
  RawSet("WithoutNul", kRegcSz, "Arial");
  EXPECT_EQ(RegcQueryValue(key_, "WithNul", "x"), "Arial");
  EXPECT_EQ(RegcDataLen, 5);
  EXPECT_EQ(RegcQueryValue(key_, "WithoutNul", "x"), "Arial");
  EXPECT_EQ(RegcDataLen, 5);
  EXPECT_EQ(RegcValueType, 1);
  EXPECT_EQ(RegcRc, 0);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, EmptyAndAllNulTextsReadAsTheDefault) {
  Key();
  RawSet("Empty", kRegcSz, "");
  RawSet("Nuls", kRegcSz, std::string(3, '\0'));
  EXPECT_EQ(RegcQueryValue(key_, "Empty", "dflt"), "dflt");
  EXPECT_EQ(RegcRc, 0);
  EXPECT_EQ(RegcQueryValue(key_, "Nuls", "dflt"), "dflt");
  EXPECT_EQ(RegcRc, 0);
  EXPECT_EQ(RegcDataLen, 0);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, OnlyTrailingNulsAreStrippedAndAnyTypeReadsAsText) {
  Key();
  RawSet("Inner", kRegcSz, std::string("A\0B\0\0", 5));
  EXPECT_EQ(RegcQueryValue(key_, "Inner", "x"), std::string("A\0B", 3));
  EXPECT_EQ(RegcDataLen, 3);
  RegcWriteValueLong(key_, "Dword", 0x3041);
  EXPECT_EQ(RegcQueryValue(key_, "Dword", "x"), "A0");
  EXPECT_EQ(RegcValueType, 4);
  EXPECT_EQ(RegcDataLen, 2);
  RawSet("Text4", kRegcSz, "abcd");
  EXPECT_EQ(RegcQueryValueLong(key_, "Text4", 0), 0x64636261);
  EXPECT_EQ(RegcValueType, 1);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, WriteStoresTheTextWithoutNulAndReadsItBack) {
  Key();
  EXPECT_EQ(RegcWriteValueString(key_, "LastSearch", "2035"), 0);
  EXPECT_EQ(RegcValueType, 1);
  EXPECT_EQ(RegcDataLen, 4);
  EXPECT_EQ(RawGet("LastSearch"), "2035");
  EXPECT_EQ(RegcQueryValue(key_, "LastSearch", ""), "2035");
}

TEST_P(RegcStoreTest, EmptyWriteStoresZeroBytesThatReadAsTheDefault) {
  Key();
  EXPECT_EQ(RegcWriteValueString(key_, "LastSearch", ""), 0);
  EXPECT_EQ(RegcDataLen, 0);
  EXPECT_EQ(RawGet("LastSearch"), "");
  EXPECT_EQ(RegcQueryValue(key_, "LastSearch", "dflt"), "dflt");
  EXPECT_EQ(RegcRc, 0);
}

TEST_P(RegcStoreTest, TextsUpTo512BytesReadWholeLongerOnesGiveTheMarker) {
  Key();
  std::string fits(512, 'a');
  RegcWriteValueString(key_, "Fits", fits);
  EXPECT_EQ(RegcQueryValue(key_, "Fits", ""), fits);
  EXPECT_EQ(RegcDataLen, 512);

  RegcWriteValueString(key_, "Long", std::string(600, 'b'));
  EXPECT_EQ(RegcQueryValue(key_, "Long", "dflt"), "?DataTooLong");
  EXPECT_EQ(RegcRc, 234);
  EXPECT_EQ(RegcDataLen, -600);

  RegcWriteValueString(key_, "JustOver", std::string(513, 'c'));
  EXPECT_EQ(RegcQueryValue(key_, "JustOver", "dflt"), "?DataTooLong");
  EXPECT_EQ(RegcDataLen, -513);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, MissingValuesGiveTheDefaultAndCode2WithoutABox) {
  Key();
  EXPECT_EQ(RegcQueryValue(key_, "LastSearch", "dflt"), "dflt");
  EXPECT_EQ(RegcRc, 2);
  EXPECT_EQ(RegcQueryValueLong(key_, "Ruler", 77), 77);
  EXPECT_EQ(RegcRc, 2);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, ValueNamesIgnoreCase) {
  Key();
  RegcWriteValueString(key_, "LastSearch", "2035");
  EXPECT_EQ(RegcQueryValue(key_, "LASTSEARCH", ""), "2035");
}

// --- 32-bit values -----------------------------------------------------------------------

TEST_P(RegcStoreTest, LongValuesRoundTripAsLittleEndianDwords) {
  Key();
  EXPECT_EQ(RegcWriteValueLong(key_, "Debug", -1), 0);
  EXPECT_EQ(RegcValueType, 4);
  EXPECT_EQ(RegcDataLen, 4);
  EXPECT_EQ(RegcWriteValueLong(key_, "Ruler", 0x01020304), 0);
  EXPECT_EQ(RawGet("Ruler"), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(RegcQueryValueLong(key_, "Debug", 5), -1);
  EXPECT_EQ(RegcQueryValueLong(key_, "Ruler", 5), 0x01020304);
  EXPECT_EQ(RegcRc, 0);
}

TEST_P(RegcStoreTest, LongReadOfAShorterValueFillsOnlyItsBytes) {
  Key();
  RawSet("Short", 3, std::string("\x07\x01", 2));
  EXPECT_EQ(RegcQueryValueLong(key_, "Short", 5), 0x0107);
  EXPECT_EQ(RegcDataLen, 2);
}

TEST_P(RegcStoreTest, LongReadOfALongerValueShowsTheBoxAndGivesZero) {
  Key();
  RegcWriteValueString(key_, "PrinterFontName", "Arial");
  EXPECT_EQ(RegcQueryValueLong(key_, "PrinterFontName", 10), 0);
  EXPECT_EQ(RegcRc, 234);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcQueryValueLong( )");
  EXPECT_EQ(boxes_.boxes()[0].style, kBoxStyle);
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.",
                   "RegQueryValueEx( ) returned 234: Text for 234.", "RQLhKey=" + KeyText(),
                   "RQLValue='PrinterFontName'", "RegcValueType=1", "RegcDataLen=5"}));
}

// --- keys --------------------------------------------------------------------------------

TEST_P(RegcStoreTest, TheStoreGetsTheAccessClassSizesAndTypesOfEachCall) {
  RegcOpenRead(kRegcCurrentUser, Path("Absent"));
  EXPECT_EQ(store_->open_seen.options, 0u);
  EXPECT_EQ(store_->open_seen.access, 0x20019u);  // KEY_READ
  RegcOpenWrite(kRegcCurrentUser, Path("Absent"));
  EXPECT_EQ(store_->open_seen.access, 0xF003Fu);  // KEY_ALL_ACCESS
  Key();
  EXPECT_EQ(store_->open_seen.access, 0xF003Fu);
  EXPECT_EQ(store_->create_seen.key_class, "REG_DWORD");
  EXPECT_EQ(store_->create_seen.options, 0u);
  EXPECT_EQ(store_->create_seen.access, 0xF003Fu);

  RegcQueryValue(key_, "LastSearch", "");
  EXPECT_EQ(store_->query_seen.len, 512u);
  RegcQueryValueLong(key_, "Ruler", 0);
  EXPECT_EQ(store_->query_seen.len, 4u);
  RegcWriteValueString(key_, "LastSearch", "abc");
  EXPECT_EQ(store_->set_seen.type, 1u);
  EXPECT_EQ(store_->set_seen.len, 3u);
  RegcWriteValueLong(key_, "Ruler", 7);
  EXPECT_EQ(store_->set_seen.type, 4u);
  EXPECT_EQ(store_->set_seen.len, 4u);
  RegcFmtMsg(5);
  EXPECT_EQ(store_->format_seen.flags, 0x1000u);
  EXPECT_EQ(store_->format_seen.len, 256u);
}

TEST_P(RegcStoreTest, CreateMakesEveryMissingLevelAndThenOpensTheKey) {
  std::string deep = Path("One\\Two\\Three");
  EXPECT_EQ(RegcOpenRead(kRegcCurrentUser, deep), 0u);
  EXPECT_EQ(RegcRc, 2);
  key_ = RegcOpenWriteCreate(kRegcCurrentUser, deep);
  EXPECT_NE(key_, 0u);
  EXPECT_EQ(RegcRc, 0);
  RegcClose(key_);
  EXPECT_EQ(key_, 0u);

  uint32_t middle = RegcOpenRead(kRegcCurrentUser, Path("One\\Two"));
  EXPECT_NE(middle, 0u);
  RegcClose(middle);
  int calls_before = store_->calls;
  key_ = RegcOpenWriteCreate(kRegcCurrentUser, deep);
  EXPECT_NE(key_, 0u);
  EXPECT_EQ(store_->calls - calls_before, 1);  // opened, not created again
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, MissingKeysGiveHandle0WithoutABox) {
  EXPECT_EQ(RegcOpenRead(kRegcCurrentUser, Path("Absent")), 0u);
  EXPECT_EQ(RegcRc, 2);
  EXPECT_EQ(RegcOpenWrite(kRegcCurrentUser, Path("Absent")), 0u);
  EXPECT_EQ(RegcRc, 2);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, KeyPathsIgnoreCase) {
  Key();
  RegcWriteValueString(key_, "LastSearch", "x");
  uint32_t other = RegcOpenRead(kRegcCurrentUser, Path("PINDLE"));
  ASSERT_NE(other, 0u);
  EXPECT_EQ(RegcQueryValue(other, "LastSearch", ""), "x");
  RegcClose(other);
}

TEST_P(RegcStoreTest, AValueWrittenThroughOneHandleIsReadThroughAnother) {
  Key();
  RegcWriteValueLong(key_, "Ruler", 3000);
  RegcClose(key_);
  uint32_t reader = RegcOpenRead(kRegcCurrentUser, Path("Pindle"));
  EXPECT_EQ(RegcQueryValueLong(reader, "Ruler", 0), 3000);
  RegcClose(reader);
}

TEST_P(RegcStoreTest, FailedOpenUnderTheRootNamesItAsASignedNumber) {
  store_->open_rc = 5;
  EXPECT_EQ(RegcOpenRead(kRegcCurrentUser, kPrefsKey), 0u);
  EXPECT_EQ(RegcRc, 5);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcOpenRead( )");
  EXPECT_EQ(boxes_.boxes()[0].style, kBoxStyle);
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.", "RegOpenKeyEx( ) returned 5: Text for 5.",
                   "RKHKey=-2147483647 RKSubKey='" + std::string(kPrefsKey) + "'"}));
}

TEST_P(RegcStoreTest, FailedOpenForWriting) {
  store_->open_rc = 5;
  EXPECT_EQ(RegcOpenWrite(kRegcCurrentUser, kPrefsKey), 0u);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcOpenWrite( )");
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.", "RegOpenKeyEx( ) returned 5: Text for 5.",
                   "WKHKey=" + Hkcu() + " WKSubKey='" + kPrefsKey + "'"}));
}

TEST_P(RegcStoreTest, CreateIsNotTriedAfterAnUnexpectedOpenFailure) {
  store_->open_rc = 5;
  EXPECT_EQ(RegcOpenWriteCreate(kRegcCurrentUser, Path("New")), 0u);
  EXPECT_EQ(store_->calls, 1);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcOpenWriteCreate( )");
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.", "RegOpenKeyEx( ) returned 5: Text for 5.",
                   "WKHKey=" + Hkcu() + " WKSubKey='" + Path("New") + "'"}));
}

TEST_P(RegcStoreTest, FailedCreate) {
  store_->create_rc = 1016;
  EXPECT_EQ(RegcOpenWriteCreate(kRegcCurrentUser, Path("New")), 0u);
  EXPECT_EQ(RegcRc, 1016);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcOpenWriteCreate( )");
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.",
                   "RegCreateKeyEx( ) returned 1016: Text for 1016.",
                   "WKHKey=" + Hkcu() + " WKSubKey='" + Path("New") + "'"}));
}

// --- failures of reads and writes --------------------------------------------------------

TEST_P(RegcStoreTest, ReadThroughHandle0ShowsTheBoxAndGivesTheErrorMarker) {
  RegcValueType = 0;
  EXPECT_EQ(RegcQueryValue(0, "LastSearch", "dflt"), "?Error 6");
  EXPECT_EQ(RegcRc, 6);
  EXPECT_EQ(RegcQueryValueLong(0, "Ruler", 9), 0);
  ASSERT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcQueryValue( )");
  EXPECT_EQ(
      boxes_.boxes()[0].prompt,
      Lines({"Unexpected error from Windows API.", "RegQueryValueEx( ) returned 6: Text for 6.",
             "RQhKey=0", "RQValue='LastSearch'", "RegcValueType=0", "RegcDataLen=512"}));
  EXPECT_EQ(boxes_.boxes()[1].title, "REGC RegcQueryValueLong( )");
  EXPECT_EQ(
      boxes_.boxes()[1].prompt,
      Lines({"Unexpected error from Windows API.", "RegQueryValueEx( ) returned 6: Text for 6.",
             "RQLhKey=0", "RQLValue='Ruler'", "RegcValueType=0", "RegcDataLen=4"}));
}

TEST_P(RegcStoreTest, FailedWritesShowTheirArgumentsAndReturnTheCode) {
  Key();
  store_->set_rc = 5;
  EXPECT_EQ(RegcWriteValueString(key_, "LastSearch", "KXRC"), 5);
  EXPECT_EQ(RegcWriteValueLong(key_, "Ruler", 3000), 5);
  ASSERT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcWriteValueString( )");
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.", "RegSetValueEx( ) returned 5: Text for 5.",
                   "WShKey=" + KeyText(), "WSValue='LastSearch'", "WSData='KXRC'",
                   "RegcValueType=1", "RegcDataLen=4"}));
  EXPECT_EQ(boxes_.boxes()[1].title, "REGC RegcWriteValueLong( )");
  EXPECT_EQ(boxes_.boxes()[1].prompt,
            Lines({"Unexpected error from Windows API.", "RegSetValueEx( ) returned 5: Text for 5.",
                   "WLhKey=" + KeyText(), "WLValue='Ruler'", "RegcValueType=4", "RegcDataLen=4"}));
}

// --- closing -----------------------------------------------------------------------------

TEST_P(RegcStoreTest, CloseOfHandle0CallsNothing) {
  uint32_t key = 0;
  RegcClose(key);
  EXPECT_EQ(store_->calls, 0);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, CloseSetsTheHandleTo0) {
  uint32_t key = Key();
  key_ = 0;
  RegcClose(key);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(RegcRc, 0);
}

TEST_P(RegcStoreTest, FlushFailureIsShownAndTheCloseGoesOn) {
  uint32_t key = Key();
  std::string text = KeyText();
  key_ = 0;
  store_->flush_rc = 1016;
  RegcClose(key);
  EXPECT_EQ(key, 0u);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].title, "REGC RegcClose( )");
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.",
                   "RegFlushKey( ) returned 1016: Text for 1016.", "RChKey=" + text}));
}

TEST_P(RegcStoreTest, CloseFailureLeavesTheHandle) {
  Key();
  store_->close_rc = 6;
  uint32_t key = key_;
  RegcClose(key);
  EXPECT_EQ(key, key_);
  EXPECT_EQ(RegcRc, 6);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].prompt,
            Lines({"Unexpected error from Windows API.", "RegCloseKey( ) returned 6: Text for 6.",
                   "RChKey=" + KeyText()}));
  store_->close_rc.reset();
}

// --- window placement --------------------------------------------------------------------

TEST_P(RegcStoreTest, PlacementIsStoredAsShortestNumbersAndRestored) {
  Key();
  FakeWindow window;
  window.placement = RegcRect{1200, 900, 9600, 7200};
  RegcSaveWindow(key_, "MainWindow", window);
  EXPECT_EQ(RawGet("MainWindow"), "1200,900,9600,7200");

  FakeWindow other;
  RegcRestoreWindow(key_, "MainWindow", other);
  EXPECT_EQ(other.moves, 1);
  EXPECT_EQ(other.placement.left, 1200);
  EXPECT_EQ(other.placement.top, 900);
  EXPECT_EQ(other.placement.width, 9600);
  EXPECT_EQ(other.placement.height, 7200);
}

TEST_P(RegcStoreTest, FractionalAndNegativePlacementsRoundTrip) {
  Key();
  FakeWindow window;
  window.placement = RegcRect{-52.5f, 0.25f, 9612.75f, 7200.5f};
  RegcSaveWindow(key_, "MainWindow", window);
  EXPECT_EQ(RawGet("MainWindow"), "-52.5,0.25,9612.75,7200.5");
  FakeWindow other;
  RegcRestoreWindow(key_, "MainWindow", other);
  EXPECT_EQ(other.placement.left, -52.5f);
  EXPECT_EQ(other.placement.height, 7200.5f);
}

TEST_P(RegcStoreTest, MinimisedOrMaximisedWindowsKeepTheStoredPlacement) {
  Key();
  RegcWriteValueString(key_, "MainWindow", "1200,900,9600,7200");
  FakeWindow window;
  window.state = RegcWindowState::kMaximised;
  RegcSaveWindow(key_, "MainWindow", window);
  window.state = RegcWindowState::kMinimised;
  RegcSaveWindow(key_, "MainWindow", window);
  EXPECT_EQ(RawGet("MainWindow"), "1200,900,9600,7200");
}

TEST_P(RegcStoreTest, PlacementsThatAreNotAppliedLeaveTheWindowAlone) {
  Key();
  const char* texts[] = {
      "100,100,5000,0",        // height 0: nothing stored
      "0,0,0,0",               // the default text
      "100,100,5000",          // fewer than four fields
      "100,100,,7200",         // an empty field
      "100,abc,5000,7200",     // not a number
      "100,100,5000,7200x",    // trailing garbage in a field
      "100,100,-5000,7200",    // no area
      "100,100,5000,-7200",    // no area
      "40000,100,9600,7200",   // wholly right of the desktop (19200 wide)
      "-9600,100,9600,7200",   // touches the left edge only
      "100,-20000,9600,7200",  // wholly above
  };
  for (const char* text : texts) {
    EXPECT_EQ(RestoredFrom(text).moves, 0) << text;
  }
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(RegcStoreTest, PlacementWithFiveFieldsUsesTheFirstFour) {
  Key();
  FakeWindow window = RestoredFrom("1200,900,9600,7200,77");
  ASSERT_EQ(window.moves, 1);
  EXPECT_EQ(window.placement.height, 7200);
}

TEST_P(RegcStoreTest, PlacementPartlyOnTheDesktopIsApplied) {
  Key();
  FakeWindow window = RestoredFrom("-9000,-300,9600,7200");
  EXPECT_EQ(window.moves, 1);
  // Its title bar was above the screen: moved down onto it, 40 pixels of its width on it.
  EXPECT_EQ(window.placement.left, -9000);
  EXPECT_EQ(window.placement.top, 0);
}

TEST_P(RegcStoreTest, PlacementWithTheTitleBarOffEveryScreenIsBroughtBack) {
  Key();
  FakeWindow window = RestoredFrom("0,-6600,9600,7200");
  ASSERT_EQ(window.moves, 1);
  EXPECT_EQ(window.placement.top, 0);
  RegcSaveWindow(key_, "MainWindow", window);
  EXPECT_EQ(RawGet("MainWindow"), "0,0,9600,7200");
}

// Two screens of 1280 x 960 pixels (15 twips), the first with a 40-pixel task bar at its foot.
TEST(RegcReachablePlacement, MovesTheLeastThatPutsTheTitleBarWithinReach) {
  RegcScreens screens;
  screens.work_areas = {{0, 0, 19200, 13800}, {19200, 0, 19200, 14400}};
  const struct {
    RegcRect stored;
    float left, top;
    const char* why;
  } cases[] = {
      {{1200, 900, 9600, 7200}, 1200, 900, "inside: as stored"},
      {{0, -6600, 9600, 7200}, 0, 0, "title bar above every screen: down onto the first"},
      {{0, 13800, 9600, 7200}, 0, 13785, "title bar on the task bar: up to its last row"},
      {{-9120, 900, 9600, 7200}, -9120, 900, "32 pixels of the width inside: as stored"},
      {{-9135, 900, 9600, 7200}, -9120, 900, "31 pixels inside: one pixel to the right"},
      {{38000, 900, 9600, 7200}, 37920, 900, "past the second screen: back 32 pixels onto it"},
      {{19000, 14000, 9600, 7200}, 19000, 14000, "below the task bar, on the second screen"},
      {{100, -500, 300, 200}, 100, 0, "narrower than 32 pixels: all its width inside"},
  };
  for (const auto& c : cases) {
    RegcRect got = RegcReachablePlacement(c.stored, screens);
    EXPECT_EQ(got.left, c.left) << c.why;
    EXPECT_EQ(got.top, c.top) << c.why;
    EXPECT_EQ(got.width, c.stored.width) << c.why;
    EXPECT_EQ(got.height, c.stored.height) << c.why;
  }
  RegcRect off{0, -6600, 9600, 7200};
  EXPECT_EQ(RegcReachablePlacement(off, RegcScreens{}).top, -6600) << "no screen reported";
}

// A second screen left of and above the first puts the desktop's origin at negative twips.
TEST_P(RegcStoreTest, PlacementOnAScreenLeftOfThePrimaryRoundTrips) {
  Key();
  FakeWindow window;
  window.desktop = RegcRect{-28800, -4800, 48000, 19200};
  window.placement = RegcRect{-19200, -3000, 9600, 7200};
  RegcSaveWindow(key_, "MainWindow", window);
  EXPECT_EQ(RawGet("MainWindow"), "-19200,-3000,9600,7200");
  window.placement = RegcRect{150, 300, 4500, 3000};
  RegcRestoreWindow(key_, "MainWindow", window);
  ASSERT_EQ(window.moves, 1);
  EXPECT_EQ(window.placement.left, -19200);
  EXPECT_EQ(window.placement.top, -3000);
  EXPECT_EQ(window.placement.width, 9600);
  EXPECT_EQ(window.placement.height, 7200);
}

TEST_P(RegcStoreTest, MissingOrOverlongPlacementLeavesTheWindowAlone) {
  Key();
  FakeWindow window;
  RegcRestoreWindow(key_, "MainWindow", window);
  EXPECT_EQ(RegcRc, 2);
  RegcWriteValueString(key_, "MainWindow", std::string(600, '1'));
  RegcRestoreWindow(key_, "MainWindow", window);
  EXPECT_EQ(RegcRc, 234);
  EXPECT_EQ(window.moves, 0);
}

// --- descriptions of result codes --------------------------------------------------------

TEST_P(RegcStoreTest, TheStoresOwnDescriptionLosesItsLineEnd) {
  store_->real_format = true;
  std::string text = RegcFmtMsg(2);
  ASSERT_GT(text.size(), 3u);
  EXPECT_EQ(text.substr(0, 3), "2: ");
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_TRUE(boxes_.boxes().empty());
}

std::string ParamName(const ::testing::TestParamInfo<StoreKind>& param) {
  return StoreName(param.param);
}

INSTANTIATE_TEST_SUITE_P(Stores, RegcStoreTest, ::testing::ValuesIn(AvailableStores()), ParamName);

}  // namespace
