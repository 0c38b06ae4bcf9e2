// The clip store: finding tags, counting lines, extracting and replacing a slot's block.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "library/slot_library.h"
#include "library_test_support.h"

namespace qv::test {
namespace {

std::string Gather(const ClipStore& store, int slot) {
  CurrentSlot current;
  return GatherFullClip(RowsOf(slot + 1), slot, store, current);
}

int Occurrences(std::string_view text, std::string_view what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(FindTag, IgnoresLetterCaseAndCountsFromTheStoreStart) {
  const ClipStore store = "ab\r\n/:HDR:\\testslot000001\r\n";
  EXPECT_EQ(FindTag(store, Header(1)), 4u);
  EXPECT_EQ(FindTag(store, "b\r\n/:h"), 1u);
  EXPECT_EQ(FindTag(store, Trailer(1)), std::nullopt);
  EXPECT_EQ(FindTag("", Header(1)), std::nullopt);
}

TEST(FindTag, FindsTheFirstOccurrenceAnywhereInALine) {
  const ClipStore store = "xx" + Header(0) + "\r\n" + Header(0);
  EXPECT_EQ(FindTag(store, Header(0)), 2u);
}

TEST(LineCount, AnEmptyLastLineIsNotCounted) {
  EXPECT_EQ(LineCount(""), 0);
  EXPECT_EQ(LineCount("abc"), 1);
  EXPECT_EQ(LineCount("abc\r\n"), 1);
  EXPECT_EQ(LineCount("abc\r\n\r\n"), 2);
  EXPECT_EQ(LineCount("\r\n"), 1);
  EXPECT_EQ(LineCount("a\r\nb"), 2);
  // Lone breaks count as the store file will read them back.
  EXPECT_EQ(LineCount("a\nb\rc"), 3);
  EXPECT_EQ(LineCount("a\r\r\n"), 2);
}

TEST(LineCount, AStoreCountsTheSameWithOrWithoutItsFinalBreak) {
  std::string store;
  for (int i = 0; i < 40; ++i) store += "line " + std::to_string(i) + "\r\n";
  EXPECT_EQ(LineCount(store), 40);
  store.resize(store.size() - 2);
  EXPECT_EQ(LineCount(store), 40);
}

std::string Lines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "x\r\n";
  return text;
}

TEST(StoreLimit, EightHundredLinesTakeFiftyMoreButNotFiftyOne) {
  const auto store = Lines(800);
  EXPECT_TRUE(WithinStoreLimit(store, Lines(50)));
  EXPECT_FALSE(WithinStoreLimit(store, Lines(51)));
  EXPECT_TRUE(WithinStoreLimit(store, Lines(49) + "last"));
  EXPECT_FALSE(WithinStoreLimit(store, Lines(50) + "last"));
}

TEST(StoreLimit, TheBlockBeingReplacedStillCounts) {
  // 800 lines, 300 of them in slot 0's own block.
  const auto store = StoreOf({Lines(298).substr(0, 298 * 3 - 2)}) + Lines(500);
  ASSERT_EQ(LineCount(store), 800);
  EXPECT_TRUE(WithinStoreLimit(store, Lines(50)));
  EXPECT_FALSE(WithinStoreLimit(store, Lines(51)));
}

TEST(GatherFullClip, ExtractsContentAndRecordsTheSlot) {
  const auto store = StoreOf({"zero", "one\r\ntwo", ""});
  const auto rows = RowsOf(3);
  CurrentSlot current;
  EXPECT_EQ(GatherFullClip(rows, 1, store, current), "one\r\ntwo");
  EXPECT_EQ(current.rowIndex, 1);
  EXPECT_EQ(current.header, Header(1));
  EXPECT_EQ(current.trailer, Trailer(1));
  EXPECT_EQ(GatherFullClip(rows, 2, store, current), "");
  EXPECT_EQ(current.rowIndex, 2);
}

TEST(GatherFullClip, BlockOrderIsIndependentOfRowOrder) {
  const auto store =
      Header(1) + "\r\nB\r\n" + Trailer(1) + "\r\n" + Header(0) + "\r\nA\r\n" + Trailer(0);
  EXPECT_EQ(Gather(store, 0), "A");
  EXPECT_EQ(Gather(store, 1), "B");
}

TEST(GatherFullClip, TagsInOtherLetterCaseAreFound) {
  std::string upper = StoreOf({"text"});
  for (auto& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  EXPECT_EQ(Gather(upper, 0), "TEXT");
}

TEST(GatherFullClip, RowWithoutTagTakesItsFirst21CharactersAndYieldsNothing) {
  const auto store = StoreOf({"zero"});
  const SlotList rows = {" ", "  a title longer than twenty-one characters"};
  CurrentSlot current{5, "old", "old"};
  EXPECT_EQ(GatherFullClip(rows, 0, store, current), "");
  EXPECT_EQ(current.rowIndex, 0);
  EXPECT_EQ(current.header, " ");
  EXPECT_EQ(current.trailer, "/:tlr:\\");
  EXPECT_EQ(GatherFullClip(rows, 1, store, current), "");
  EXPECT_EQ(current.header, "  a title longer than");
  EXPECT_EQ(current.trailer, "/:tlr:\\le longer than");
}

TEST(GatherFullClip, RowOutsideTheListYieldsNothing) {
  CurrentSlot current;
  EXPECT_EQ(GatherFullClip(RowsOf(2), 2, StoreOf({"a", "b"}), current), "");
  EXPECT_EQ(current.rowIndex, 2);
  EXPECT_EQ(current.header, "");
  EXPECT_EQ(GatherFullClip(RowsOf(2), -1, StoreOf({"a", "b"}), current), "");
}

TEST(GatherFullClip, TruncatedTagInRowDoesNotReachAnotherSlot) {
  // "/:hdr:\TESTSLOT00000" is the start of slot 0's header; it must not select slot 0.
  const SlotList rows = {"title " + Header(0).substr(0, 20)};
  CurrentSlot current;
  EXPECT_EQ(GatherFullClip(rows, 0, StoreOf({"secret"}), current), "");
  ClipStore store = StoreOf({"secret"});
  EXPECT_FALSE(ReplaceClipBlock(store, current, "new"));
  EXPECT_EQ(store, StoreOf({"secret"}));
}

struct BrokenStore {
  const char* name;
  ClipStore store;
};

std::vector<BrokenStore> BrokenStoresForSlot0() {
  const auto h = Header(0), t = Trailer(0), h1 = Header(1), t1 = Trailer(1);
  return {
      {"no header", "a\r\n" + t + "\r\n"},
      {"no trailer", h + "\r\na\r\n"},
      {"empty store", ""},
      {"trailer before header", t + "\r\na\r\n" + h + "\r\n"},
      {"both tags on one line", h + " a " + t + "\r\n"},
      {"blocks overlap", h + "\r\na\r\n" + h1 + "\r\nb\r\n" + t + "\r\nc\r\n" + t1 + "\r\n"},
      {"other slot's tag inside", h + "\r\nx " + t1 + "\r\n" + t + "\r\n"},
      {"other tag on header line", h + h1 + "\r\na\r\n" + t + "\r\n" + t1 + "\r\n"},
      {"header twice inside block", h + "\r\n" + h + "\r\n" + t + "\r\n"},
  };
}

TEST(GatherFullClip, BrokenBlocksYieldNothing) {
  for (const auto& broken : BrokenStoresForSlot0()) {
    SCOPED_TRACE(broken.name);
    EXPECT_EQ(Gather(broken.store, 0), "");
  }
}

TEST(ReplaceClipBlock, RefusesBrokenBlocksAndLeavesTheStoreAlone) {
  for (const auto& broken : BrokenStoresForSlot0()) {
    SCOPED_TRACE(broken.name);
    ClipStore store = broken.store;
    EXPECT_FALSE(ReplaceClipBlock(store, SlotOf(0), "new"));
    EXPECT_EQ(store, broken.store);
  }
}

TEST(ReplaceClipBlock, RefusesContentHoldingTagTextInAnyCase) {
  const auto original = StoreOf({"a", "b"});
  for (const std::string& content : std::vector<std::string>{
           "/:hdr:\\", "x/:TLR:\\y", "ok\r\n/:Hdr:\\TESTSLOT000001", Trailer(0), Header(1)}) {
    SCOPED_TRACE(content);
    ClipStore store = original;
    EXPECT_FALSE(ReplaceClipBlock(store, SlotOf(0), content));
    EXPECT_EQ(store, original);
  }
}

TEST(ReplaceClipBlock, RefusesASlotThatIsNotATaggedRow) {
  const auto original = StoreOf({"a"});
  ClipStore store = original;
  // What GatherFullClip records for a row without a tag.
  EXPECT_FALSE(ReplaceClipBlock(store, CurrentSlot{0, " ", "/:tlr:\\"}, "x"));
  EXPECT_FALSE(ReplaceClipBlock(store, CurrentSlot{}, "x"));
  // A trailer that does not belong to the header.
  EXPECT_FALSE(ReplaceClipBlock(store, CurrentSlot{0, Header(0), Trailer(1)}, "x"));
  EXPECT_EQ(store, original);
}

TEST(ReplaceClipBlock, WritesTheDocumentedLinesBetweenTheTags) {
  const struct {
    std::string content, between;
  } cases[] = {
      {"", ""},
      {"abc", "abc\r\n"},
      {"abc\r\n", "abc\r\n\r\n"},
      {"a\r\n\r\nb", "a\r\n\r\nb\r\n"},
      {"\r\n", "\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    ClipStore store = StoreOf({"old\r\nlines"});
    ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(0), c.content));
    EXPECT_EQ(store, Header(0) + "\r\n" + c.between + Trailer(0) + "\r\n");
    EXPECT_EQ(Gather(store, 0), c.content);
  }
}

TEST(ReplaceClipBlock, LastBlockWithoutFinalBreakGainsOne) {
  auto store = StoreOf({"a", "b"});
  store.resize(store.size() - 2);
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(1), "c"));
  EXPECT_EQ(store, StoreOf({"a", "c"}));
}

TEST(ReplaceClipBlock, OnlyTheSlotsOwnLinesChange) {
  const auto before = "junk first\r\n" + Header(0) + "\r\nA\r\n" + Trailer(0) + "\r\nbetween\r\n";
  const auto after = "\r\n" + Header(2) + "\r\nC\r\n" + Trailer(2) + "\r\ntail without break";
  ClipStore store = before + Header(1) + "\r\nold\r\n" + Trailer(1) + after;
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(1), "new\r\n"));
  EXPECT_EQ(store, before + Header(1) + "\r\nnew\r\n\r\n" + Trailer(1) + after);
}

TEST(ReplaceClipBlock, TagLinesAreRewrittenCleanInTheRowsCase) {
  ClipStore store = "  /:HDR:\\TESTSLOT000000 extra\r\nold\r\nx /:tlr:\\testslot000000\r\nrest";
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(0), "new"));
  EXPECT_EQ(store, Header(0) + "\r\nnew\r\n" + Trailer(0) + "\r\nrest");
}

TEST(ReplaceClipBlock, LoneBreaksInContentBecomeCrLf) {
  ClipStore store = StoreOf({"a", "b"});
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(0), "x\ny\rz\r"));
  EXPECT_EQ(store, StoreOf({"x\r\ny\r\nz\r\n", "b"}));
  EXPECT_EQ(Gather(store, 0), "x\r\ny\r\nz\r\n");
}

TEST(ReplaceClipBlock, KeepsEveryByteOfTheContent) {
  const char bytes[] = "nul\0byte \xE9\xFF\t end";
  const std::string content(bytes, sizeof bytes - 1);
  ClipStore store = StoreOf({"a", "b"});
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(1), content));
  EXPECT_EQ(Gather(store, 1), content);
  EXPECT_EQ(Gather(store, 0), "a");
}

std::vector<std::string> SampleContents() {
  std::vector<std::string> contents = {"",
                                       "abc",
                                       "abc\r\n",
                                       "\r\n",
                                       "\r\n\r\n",
                                       "a\r\n\r\nb",
                                       "\r\nx",
                                       "\r\n\r\nx\r\n\r\n",
                                       " lead",
                                       "trail  ",
                                       "\ttab\t",
                                       "/:hdr:",
                                       "\\",
                                       "/:tlr",
                                       "\xE9t\xE9",
                                       "line1\r\nline2\r\nline3",
                                       std::string(500, 'q')};
  std::mt19937 random(20240611);
  const std::vector<std::string> pieces = {"a", " ",  "\r\n", "\xE9", "/",
                                           ":", "\\", "hdr",  "tlr",  "Z"};
  for (int i = 0; i < 300; ++i) {
    std::string text;
    const int length = static_cast<int>(random() % 12);
    for (int j = 0; j < length; ++j) text += pieces[random() % pieces.size()];
    contents.push_back(text);
  }
  return contents;
}

TEST(ReplaceClipBlock, GatherReturnsExactlyWhatWasWrittenAndNothingElseMoves) {
  for (bool finalBreak : {true, false}) {
    for (int slot = 0; slot < 3; ++slot) {
      for (const auto& content : SampleContents()) {
        SCOPED_TRACE(::testing::Message() << "slot " << slot << " final " << finalBreak
                                          << " content [" << content << "]");
        ClipStore store = "before\r\n" + StoreOf({"one", "two\r\n", "\r\nthree"});
        if (!finalBreak) store.resize(store.size() - 2);
        const ClipStore original = store;
        const bool written = ReplaceClipBlock(store, SlotOf(slot), content);
        ASSERT_EQ(written, !ContainsTagText(content));
        if (!written) {
          EXPECT_EQ(store, original);
          continue;
        }
        EXPECT_EQ(Gather(store, slot), content);
        const auto oldStart = original.find(Header(slot));
        EXPECT_EQ(store.substr(0, oldStart), original.substr(0, oldStart));
        const auto oldEnd = original.find(Trailer(slot)) + Trailer(slot).size();
        const auto newEnd = store.find(Trailer(slot)) + Trailer(slot).size();
        const auto oldTail = original.substr(oldEnd);
        const auto newTail = store.substr(newEnd);
        EXPECT_EQ(newTail, oldTail.empty() ? "\r\n" : oldTail);
        for (int other = 0; other < 3; ++other) {
          EXPECT_EQ(Occurrences(store, Header(other)), 1);
          EXPECT_EQ(Occurrences(store, Trailer(other)), 1);
        }
      }
    }
  }
}

TEST(ReplaceClipBlock, ManyUpdatesKeepEverySlotsContent) {
  std::vector<std::string> model(12, "");
  ClipStore store = StoreOf(model);
  std::mt19937 random(7);
  const auto contents = SampleContents();
  for (int step = 0; step < 2000; ++step) {
    const int slot = static_cast<int>(random() % model.size());
    const auto& content = contents[random() % contents.size()];
    if (ReplaceClipBlock(store, SlotOf(slot), content)) model[slot] = content;
  }
  for (int slot = 0; slot < static_cast<int>(model.size()); ++slot)
    EXPECT_EQ(Gather(store, slot), model[slot]) << "slot " << slot;
  EXPECT_EQ(store, StoreOf(model));
}

}  // namespace
}  // namespace qv::test
