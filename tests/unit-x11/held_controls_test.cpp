// The X11 dialogs' controls before the GTK dialog exists: what the handlers set at start-up
// (the preferences in the settings boxes, the editor's disabled fields) reaches the dialog
// when it is made, and from then on every call goes to it.
#include "linux/dialogs/held_controls.h"

#include <gtest/gtest.h>

#include "fakes/fake_controls.h"

namespace qv::x11 {
namespace {

using test::FakeButton;
using test::FakeForm;
using test::FakeMemo;
using test::FakeText;

TEST(X11HeldControls, StateSetBeforeTheDialogExistsReachesIt) {
  FakeForm real({376, 119, 361, 234});
  FakeText realTitle;
  FakeMemo realContent;
  FakeButton realUpdate;
  HeldText title(false);
  HeldMemo content(false);
  HeldButton update(false);
  int made = 0;
  HeldForm* self = nullptr;
  HeldForm form(
      {376, 119, 361, 234},
      [&] {
        ++made;
        title.Attach(realTitle);
        content.Attach(realContent);
        update.Attach(realUpdate);
        self->Attach(real);
      },
      [](const std::function<bool()>&) {});
  self = &form;
  form.SetStayOnTop(true);
  title.SetText("Keys");
  content.SetMenuAutoPopup(false);
  update.SetEnabled(true);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(made, 0);

  form.Show();  // makes the dialog, once
  EXPECT_EQ(made, 1);
  EXPECT_EQ(realTitle.text, "Keys");
  EXPECT_FALSE(realTitle.enabled);
  EXPECT_FALSE(realContent.menuAutoPopup);
  EXPECT_TRUE(realUpdate.enabled);
  EXPECT_TRUE(real.visible && real.stayOnTop);
  realTitle.text = "typed";  // the user types in the real field
  EXPECT_EQ(title.Text(), "typed");
}

TEST(X11HeldControls, FormTakesItsPlaceAndIsModalOnce) {
  FakeForm real({500, 400, 228, 119});
  bool attached = false;
  HeldForm* self = nullptr;
  int loops = 0;
  HeldForm form(
      {0, 0, 228, 119}, [&] { self->Attach(real), attached = true; },
      [&](const std::function<bool()>& done) {
        ++loops;
        EXPECT_THROW(self->ShowModal(), AppError);  // "Settings..." again meanwhile
        self->CloseModal();
        EXPECT_TRUE(done());
      });
  self = &form;
  form.ShowModal();
  EXPECT_TRUE(attached);
  EXPECT_EQ(loops, 1);
  EXPECT_FALSE(real.visible);
  EXPECT_EQ(real.rect.left, 500);  // not moved to the held design place

  HeldForm moved({0, 0, 359, 213}, [&] { moved.Attach(real); }, {});
  moved.SetLeft(700);  // placed beside the list before it existed
  moved.Show();
  EXPECT_EQ(real.rect.left, 700);
  EXPECT_EQ(real.rect.top, 400);
}

}  // namespace
}  // namespace qv::x11
