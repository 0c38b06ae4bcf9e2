// The X11 dialogs' fields: what the core holds reaches GTK as valid UTF-8 with LF line breaks,
// and comes back with CR LF.
#include "linux/dialogs/field_text.h"

#include <gtest/gtest.h>

namespace qv::x11 {
namespace {

TEST(X11FieldText, CoreTextReachesGtkAsUtf8Lines) {
  struct Case {
    std::string core;
    bool lines;
    std::string field;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", true, "a\nb\n"},
      {"a\rb\nc", true, "a\nb\nc"},                        // lone CR and LF are line breaks too
      {"a\r\nb", false, "a\r\nb"},                         // a title keeps its break to be refused
      {"Gr\xc3\xbc\xc3\x9f", true, "Gr\xc3\xbc\xc3\x9f"},  // UTF-8 kept
      {"\xc3", true, "\xef\xbf\xbd"},                      // a cut sequence
      {"\xed\xa0\x80", true, "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},  // a surrogate is no UTF-8
      {std::string("a\0b", 3), true,
       "a\xef\xbf\xbd"
       "b"},  // NUL would end the text
  };
  for (const Case& c : cases) EXPECT_EQ(ToFieldText(c.core, c.lines), c.field) << c.core;
}

TEST(X11FieldText, FieldLinesComeBackWithCrLf) {
  EXPECT_EQ(FromFieldLines("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(FromFieldLines(ToFieldText("x\r\ny\r\n", true)), "x\r\ny\r\n");
}

}  // namespace
}  // namespace qv::x11
