// Every action of a page closes an open list of settings tabs first: the
// state forgets it, then the controller hides it; a closed list is left alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/tab_list.h"

namespace {

// One recorder for both roles, as a settings host plays both.
struct Recorder {
  bool opened = false;
  std::vector<std::string> calls;
  bool listTabsOpened() const { return opened; }
  void setListTabsOpened(bool value) {
    calls.push_back(value ? "setListTabsOpened 1" : "setListTabsOpened 0");
    opened = value;
  }
  void enableListTabsTo(bool enable) { calls.push_back(enable ? "enableListTabsTo 1" : "enableListTabsTo 0"); }
};

TEST(CloseTabList, ClosesAnOpenListAndLeavesAClosedOneAlone) {
  struct Case {
    const char* name;
    bool opened;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"open: recorded closed, then hidden", true, {"setListTabsOpened 0", "enableListTabsTo 0"}},
      {"closed: nothing", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder host{c.opened, {}};
    session::close_tab_list(host, host);
    EXPECT_FALSE(host.opened);
    EXPECT_EQ(host.calls, c.calls);
  }
}

}  // namespace
