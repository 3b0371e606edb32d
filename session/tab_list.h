#pragma once
// The drop-down list of settings tabs closes before any action of a page
// runs. Qt-free.

namespace session {

// Closes the list when it is open: `state` records it closed, then
// `controller` hides it; an already closed list is left alone. `state` holds
// listTabsOpened/setListTabsOpened and `controller` enableListTabsTo, as
// AppState and Services do, or one settings host does both.
template <class State, class Controller>
void close_tab_list(State& state, Controller& controller) {
  if (!state.listTabsOpened()) return;
  state.setListTabsOpened(false);
  controller.enableListTabsTo(false);
}

}  // namespace session
