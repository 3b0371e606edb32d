#pragma once
// How the update page's one-second timer turns what a flashing procedure
// reports into the progress bar: each product's catalogue row names its
// progress group, and each group has one rule applied once a tick. The rules
// are pure: the progress fields and the page's step flags in, the next ones out.
#include "device_data/product_facts.h"
#include "update/update_report.h"

namespace update {

using device_data::ProgressGroup;

// The group of the selected product id; every id not named is default_rule.
ProgressGroup progress_group_of(int product);

// Products whose status line the timer never shows as a warning.
bool in_quiet_end_set(int product);

// Flags that slow the creeping rules down; one set per page, cleared when an
// operation starts.
struct StepFlags {
  bool hid_first = false;
  bool hid_second = false;
  bool camera_first = false;
  bool camera_second = false;
  bool camera_third = false;
};

struct ProgressTick {
  Progress progress;
  StepFlags flags;
};

// One tick of `group`'s rule. `box_open` is openedMessageBox. A tick increases
// the tick count of a timed phase (timer_processed) in the two-module and mesh
// groups before it computes the bar; a paused group changes nothing.
ProgressTick apply_progress_rule(ProgressGroup group, bool box_open, const Progress& progress, const StepFlags& flags);

}  // namespace update
