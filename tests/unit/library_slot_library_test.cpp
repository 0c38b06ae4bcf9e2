// Slot rows and the clip store: tags, line counts, extracting and replacing a slot's block.
#include <gtest/gtest.h>

#include <random>

#include "library/slot_library.h"
#include "test_support.h"

namespace qv::test {
namespace {

std::string Gather(const ClipStore& store, int slot) {
  CurrentSlot current;
  return GatherFullClip(RowsOf(slot + 1), slot, store, current);
}

std::string Lines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "x\r\n";
  return text;
}

TEST(SlotRow, TitleIsPaddedToColumn72AndReadBackWithoutTrailingBlanks) {
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {"abcdefghijklmnopqrstuvwxyz!", 44, "abcdefghijklmnopqrstuvwxyz!"},
      {"", 71, ""},
      {"  Hello  ", 62, "  Hello"},
      {std::string(71, 'y'), 0, std::string(27, 'y')},
      {std::string(75, 'x'), 0, std::string(27, 'x')},
      // Characters as the user counts them, never half of one.
      {"Grüße → ✓ Привет 😀 中文", 50, "Grüße → ✓ Привет 😀 中文"},
      {std::string(26, 'a') + "😀x", 43, std::string(26, 'a') + "😀"},
      {std::string(26, 'a') + "e\u0301x", 43, std::string(26, 'a') + "e\u0301"},
      {std::string(27, 'a') + "\u0301", 44, std::string(27, 'a') + "\u0301"},
  };
  for (const auto& [title, blanks, readBack] : cases) {
    const auto row = ComposeSlotRow(title, Header(3));
    EXPECT_EQ(row, title + std::string(blanks, ' ') + Header(3));
    EXPECT_EQ(ReadSlotTitle(row), readBack);
  }
  EXPECT_EQ(ReadSlotTitle("ab"), "ab");
  EXPECT_EQ(ReadSlotTitle(""), "");
  EXPECT_EQ(ReadSlotTitle("tab\t\x01 "), "tab");
  // Characters above 127 are letters of the code page, not blanks.
  EXPECT_EQ(ReadSlotTitle("caf\xE9"), "caf\xE9");
  EXPECT_EQ(ReadSlotTitle("x\xA0"), "x\xA0");
  EXPECT_EQ(ListText(std::string(254, 'a') + "😀b"), std::string(254, 'a') + "😀");
}

// A title keeps 27 characters as a reader sees them: never a part of one.
TEST(SlotRow, TitleIsCutAtTheCharacterAReaderSees) {
  const std::pair<std::string, std::string> cases[] = {
      // after 26 a's: the rest, what stays
      {"\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7", "\U0001F1E9\U0001F1EA"},  // flags
      {"\u1100\u1161\u11A8\u1100\u1161", "\u1100\u1161\u11A8"},              // Hangul in jamo
      {"\uAC00\u11A8z", "\uAC00\u11A8"},
      {"\U0001F468\u200D\U0001F467z", "\U0001F468\u200D\U0001F467"},  // joined by ZWJ
      {"\U0001F44D\U0001F3FDz", "\U0001F44D\U0001F3FD"},              // skin tone
      {"\u2764\uFE0Fz", "\u2764\uFE0F"},                              // variation selector
      {"o\u0308\u0301z", "o\u0308\u0301"}};
  for (const auto& [rest, kept] : cases) {
    const auto row = ComposeSlotRow(std::string(26, 'a') + rest, Header(1));
    EXPECT_EQ(row.find(Header(1)), 26 + rest.size() + 43);  // 28 characters, 43 blanks
    EXPECT_EQ(ReadSlotTitle(row), std::string(26, 'a') + kept);
  }
}

TEST(SlotTag, HeaderInRowsIsExactCaseWhileTagTextInContentIsAnyCase) {
  EXPECT_TRUE(RowHasHeader(ComposeSlotRow("t", Header(0))));
  EXPECT_TRUE(RowHasHeader("/:hdr:\\"));
  EXPECT_FALSE(RowHasHeader("/:HDR:\\ABCDEFGHIJKLMN"));
  EXPECT_FALSE(RowHasHeader("/:hdr:"));
  EXPECT_TRUE(ContainsTagText("x/:hdr:\\y"));
  EXPECT_TRUE(ContainsTagText("/:TLR:\\"));
  EXPECT_TRUE(ContainsTagText("line\r\n/:Hdr:\\ABC"));
  EXPECT_FALSE(ContainsTagText("/:hdr:"));
  EXPECT_FALSE(ContainsTagText("/:hdr :\\"));
  EXPECT_FALSE(ContainsTagText(""));
  EXPECT_EQ(TrailerTagFor("/:hdr:\\ABCDEFGHIJKLMN"), "/:tlr:\\ABCDEFGHIJKLMN");
  EXPECT_EQ(TrailerTagFor("1234567rest"), "/:tlr:\\rest");
  EXPECT_EQ(TrailerTagFor("short"), "/:tlr:\\");
  EXPECT_EQ(TrailerTagFor(""), "/:tlr:\\");
}

TEST(FindTag, FirstOccurrenceIgnoringCaseCountedFromTheStoreStart) {
  const ClipStore store = "ab\r\n/:HDR:\\testslot000001\r\nxx" + Header(1);
  EXPECT_EQ(FindTag(store, Header(1)), 4u);
  EXPECT_EQ(FindTag(store, "b\r\n/:h"), 1u);
  EXPECT_EQ(FindTag("xx" + Header(0), Header(0)), 2u);
  EXPECT_EQ(FindTag(store, Trailer(1)), std::nullopt);
  EXPECT_EQ(FindTag("", Header(1)), std::nullopt);
}

TEST(LineCount, EveryBreakCountsButAnEmptyLastLineDoesNot) {
  const std::pair<std::string, int> cases[] = {
      {"", 0},       {"abc", 1},        {"abc\r\n", 1}, {"abc\r\n\r\n", 2}, {"\r\n", 1},
      {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"a\nb\rc", 3}, {"a\r\r\n", 2},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(LineCount(text), lines) << text;
}

// The store as the update leaves it holds at most 850 lines: the old block no longer counts,
// the new one's tag lines do, and so does the empty line a final break leaves. A store grown
// past the limit elsewhere can be edited, not grown.
TEST(StoreLimit, TheStoreAsTheUpdateLeavesItHoldsAtMost850Lines) {
  const std::string old = Lines(298).substr(0, 298 * 3 - 2);
  const std::tuple<int, std::string, UpdateOutcome> cases[] = {
      {500, Lines(347) + "x", UpdateOutcome::Done},  // 500 + 2 + 348
      {500, Lines(348) + "x", UpdateOutcome::OverLineLimit}, {500, Lines(347), UpdateOutcome::Done},
      {500, Lines(348), UpdateOutcome::OverLineLimit},       {600, old, UpdateOutcome::Done},
      {600, Lines(1) + old, UpdateOutcome::OverLineLimit},
  };
  for (const auto& [outside, content, outcome] : cases) {
    const auto before = StoreOf({old}) + Lines(outside);
    auto store = before;
    EXPECT_EQ(UpdateClipBlock(store, SlotOf(0), content), outcome) << outside << content.size();
    EXPECT_EQ(store,
              outcome == UpdateOutcome::Done ? BlockOf(0, content) + Lines(outside) : before);
  }
}

// The content of the row's slot, wherever its block lies and whatever its tags' case; a row
// without a tag records its first 21 characters as the header and yields nothing.
TEST(GatherFullClip, ExtractsTheRowsSlotAndRecordsIt) {
  const auto store = "/:hdr:\\testslot000001\r\none\r\ntwo\r\n/:tlr:\\testslot000001\r\n" +
                     BlockOf(2, "") + "/:HDR:\\TESTSLOT000000\r\nzero\r\n/:TLR:\\TESTSLOT000000";
  SlotList rows = RowsOf(3);
  rows.insert(rows.end(), {" ", "  a title longer than twenty-one characters",
                           "title " + Header(0).substr(0, 20)});
  const std::tuple<int, std::string, CurrentSlot> cases[] = {
      {1, "one\r\ntwo", SlotOf(1)},
      {2, "", SlotOf(2)},
      {0, "zero", SlotOf(0)},  // the last block, without a final break
      {3, "", {3, " ", "/:tlr:\\"}},
      {4, "", {4, "  a title longer than", "/:tlr:\\le longer than"}},
      {5, "", {5, Header(0).substr(0, 20), Trailer(0).substr(0, 20)}},  // not slot 0
      {6, "", {6, "", ""}},
      {-1, "", {-1, "", ""}},
  };
  for (const auto& [row, content, slot] : cases) {
    CurrentSlot current{9, "old", "old"};
    EXPECT_EQ(GatherFullClip(rows, row, store, current), content) << row;
    EXPECT_EQ(Fields(current), Fields(slot)) << row;
  }
}

struct Refusal {
  std::string name;
  ClipStore store;
  CurrentSlot slot = SlotOf(0);
  std::string content = "new";
};

// Blocks of slot 0 that cannot be touched without risk to another slot.
std::vector<Refusal> BrokenBlocks() {
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

TEST(ReplaceClipBlock, BrokenBlocksAreNeitherReadNorReplacedNorIsWhatCouldBreakTheTags) {
  auto cases = BrokenBlocks();
  for (const auto& broken : cases) EXPECT_EQ(Gather(broken.store, 0), "") << broken.name;
  // Readable, but replacing it would change slot 1's content.
  cases.push_back({"inside slot 1's block", Header(1) + "\r\n" + BlockOf(0, "") + Trailer(1)});
  for (const std::string& content : std::vector<std::string>{
           "/:hdr:\\", "x/:TLR:\\y", "ok\r\n/:Hdr:\\TESTSLOT000001", Trailer(0), Header(1)})
    cases.push_back({"content " + content, StoreOf({"a", "b"}), SlotOf(0), content});
  // What GatherFullClip records for rows that name no slot, and a trailer of another slot.
  cases.push_back({"untagged row", StoreOf({"a"}), CurrentSlot{0, " ", "/:tlr:\\"}, "x"});
  cases.push_back({"no slot", StoreOf({"a"}), CurrentSlot{}, "x"});
  cases.push_back({"truncated tag", StoreOf({"a"}),
                   CurrentSlot{0, Header(0).substr(0, 20), Trailer(0).substr(0, 20)}, "x"});
  cases.push_back({"foreign trailer", StoreOf({"a"}), CurrentSlot{0, Header(0), Trailer(1)}, "x"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClipStore store = c.store;
    EXPECT_FALSE(ReplaceClipBlock(store, c.slot, c.content));
    EXPECT_EQ(store, c.store);
  }
}

TEST(ReplaceClipBlock, WritesTheContentsLinesWithCrLfBetweenTheTags) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "", ""},
      {"abc", "abc\r\n", "abc"},
      {"abc\r\n", "abc\r\n\r\n", "abc\r\n"},
      {"a\r\n\r\nb", "a\r\n\r\nb\r\n", "a\r\n\r\nb"},
      {"\r\n", "\r\n\r\n", "\r\n"},
      {"x\ny\rz\r", "x\r\ny\r\nz\r\n\r\n", "x\r\ny\r\nz\r\n"},  // lone breaks
      {Bytes("nul\0byte \xE9\xFF\t end"), Bytes("nul\0byte \xE9\xFF\t end\r\n"),
       Bytes("nul\0byte \xE9\xFF\t end")},
  };
  for (const auto& [content, between, readBack] : cases) {
    ClipStore store = StoreOf({"old\r\nlines"});
    ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(0), content)) << content;
    EXPECT_EQ(store, Header(0) + "\r\n" + between + Trailer(0) + "\r\n") << content;
    EXPECT_EQ(Gather(store, 0), readBack);
  }
}

TEST(ReplaceClipBlock, OnlyTheSlotsOwnLinesChangeAndItsTagLinesAreRewrittenClean) {
  const auto before = "junk first\r\n" + Header(0) + "\r\nA\r\n" + Trailer(0) + "\r\nbetween\r\n";
  const auto after = "\r\n" + Header(2) + "\r\nC\r\n" + Trailer(2) + "\r\ntail without break";
  ClipStore store =
      before + "  /:HDR:\\TESTSLOT000001 extra\r\nold\r\nx /:tlr:\\testslot000001" + after;
  ASSERT_TRUE(ReplaceClipBlock(store, SlotOf(1), "new\r\n"));
  EXPECT_EQ(store, before + Header(1) + "\r\nnew\r\n\r\n" + Trailer(1) + after);
}

std::vector<std::string> SampleContents() {
  std::vector<std::string> contents = {
      "",       "abc", "abc\r\n", "\r\n",  "\r\n\r\n",  "\r\nx",      "\ttab\t",
      "/:hdr:", "\\",  "/:tlr",   " lead", "\xE9t\xE9", "a\r\n\r\nb", "\r\n\r\nx\r\n\r\n"};
  contents.push_back(std::string(500, 'q'));
  std::mt19937 random(20240611);
  const std::vector<std::string> pieces = {"a", " ",  "\r\n", "\xE9", "/",
                                           ":", "\\", "hdr",  "tlr",  "Z"};
  for (int i = 0; i < 300; ++i) {
    std::string text;
    for (int j = static_cast<int>(random() % 12); j > 0; --j)
      text += pieces[random() % pieces.size()];
    contents.push_back(text);
  }
  return contents;
}

int Occurrences(std::string_view text, std::string_view what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Whatever the content, the slot reads back exactly what was written, the rest of the store
// stays byte for byte, and a last block without a final break gains one.
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
        const auto start = original.find(Header(slot));
        EXPECT_EQ(store.substr(0, start), original.substr(0, start));
        const auto oldTail = original.substr(original.find(Trailer(slot)) + Trailer(slot).size());
        const auto newTail = store.substr(store.find(Trailer(slot)) + Trailer(slot).size());
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
