// What every page builds on: named children placed at frames drawn from the
// page's bottom-left corner, titles by outlet name, the edit sheets, and the
// tab list that an action closes first.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

#include "widgets/DetailViewController.h"
#include "support/fake_services.h"

namespace {

constexpr int k_page_width = 525;
constexpr int k_page_height = 316;

class KitPage : public DetailViewController {
 public:
  KitPage() { setFixedSize(k_page_width, k_page_height); }
  using DetailViewController::close_tab_list;
  using DetailViewController::make_edit_sheet;
  using DetailViewController::page_control;
  using DetailViewController::page_control_at;
  using DetailViewController::place;
  using DetailViewController::set_title;
  using DetailViewController::sheet_control;
  using DetailViewController::titled;
  using DetailViewController::titled_outlet;
};

// A frame type of a page's own layout tables.
struct TableFrame {
  int x, y, width, height;
};

TEST(PageBase, NamedChildrenSitAtFramesMeasuredFromTheBottomLeftCorner) {
  struct Case {
    const char* name;
    DetailViewController::Frame frame;
    QRect geometry;
  };
  const Case cases[] = {
      {"bottom row", {7, 7, 140, 19}, {7, 290, 140, 19}},
      {"top row", {4, 262, 505, 17}, {4, 37, 505, 17}},
      {"the whole height", {0, 0, 10, k_page_height}, {0, 0, 10, k_page_height}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KitPage page;
    auto* button = page.page_control_at<QPushButton>("btnBack", c.frame);
    EXPECT_EQ(page.findChild<QPushButton*>("btnBack"), button);
    EXPECT_EQ(button->geometry(), c.geometry);

    auto* label = page.page_control<QLabel>("lblTable", "text");
    page.place(label, TableFrame{c.frame.x, c.frame.y, c.frame.width, c.frame.height});
    EXPECT_EQ(label->geometry(), c.geometry);
    EXPECT_EQ(label->text(), "text");
    EXPECT_EQ(label->parentWidget(), &page);
  }
}

TEST(PageBase, TitlesReachTheKeptLabelsAndButtonsOnly) {
  KitPage page;
  auto* label = page.titled(page.page_control<QLabel>("lblKept"));
  auto* button = page.titled(page.page_control<QPushButton>("btnKept"));
  auto* field = page.titled(page.page_control<QLineEdit>("tfKept"));
  auto* untitled = page.page_control<QLabel>("lblNotKept");
  // a sheet's button, kept before any parent takes it
  std::unique_ptr<QPushButton> loose = std::make_unique<QPushButton>();
  loose->setObjectName("btnLoose");
  page.titled(loose.get());

  for (const char* outlet : {"lblKept", "btnKept", "tfKept", "lblNotKept", "btnLoose", "btnUnknown"}) {
    page.set_title(outlet, QString("title of ") + outlet);
  }
  EXPECT_EQ(label->text(), "title of lblKept");
  EXPECT_EQ(button->text(), "title of btnKept");
  EXPECT_EQ(loose->text(), "title of btnLoose");
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(untitled->text(), "");
  EXPECT_EQ(page.titled_outlet("btnLoose"), loose.get());
  EXPECT_EQ(page.titled_outlet("lblNotKept"), nullptr);
}

TEST(PageBase, AnEditSheetIsAClosedWindowModalDialogOfThePage) {
  KitPage page;
  QDialog* sheet = page.make_edit_sheet("sheetEdit", 320, 100);
  EXPECT_EQ(page.findChild<QDialog*>("sheetEdit"), sheet);
  EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
  EXPECT_EQ(sheet->minimumSize(), QSize(320, 100));
  EXPECT_EQ(sheet->maximumSize(), QSize(320, 100));
  EXPECT_FALSE(sheet->isVisible());

  // the sheet's controls are placed from its top-left corner
  auto* unit = KitPage::sheet_control<QLabel>(sheet, "lblEditUnit", 184, 20, 40, 22, "MHz");
  EXPECT_EQ(sheet->findChild<QLabel*>("lblEditUnit"), unit);
  EXPECT_EQ(unit->geometry(), QRect(184, 20, 40, 22));
  EXPECT_EQ(unit->text(), "MHz");
}

TEST(PageBase, AnActionClosesAnOpenTabListThroughTheControllerOnce) {
  KitPage page;
  page.close_tab_list();  // no controller yet: nothing to close

  test_support::FakeServices services;
  page.setServices(&services);
  services.state().setListTabsOpened(true);
  page.close_tab_list();
  EXPECT_FALSE(services.state().listTabsOpened());
  EXPECT_EQ(services.calls, std::vector<std::string>{"enableListTabsTo 0"});

  page.close_tab_list();
  EXPECT_EQ(services.calls, std::vector<std::string>{"enableListTabsTo 0"});
}

}  // namespace
