#include "update/progress_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using update::Progress;
using update::ProgressGroup;
using update::StepFlags;

// The bar after each of `ticks` ticks of `group`'s rule, starting from `start`.
struct Ticks {
  Progress progress;
  StepFlags flags;
  std::vector<int> bars;
};
Ticks tick(ProgressGroup group, Progress start, int ticks, bool box_open = false, StepFlags flags = {}) {
  Ticks run{start, flags, {}};
  for (int i = 0; i < ticks; ++i) {
    const update::ProgressTick next = update::apply_progress_rule(group, box_open, run.progress, run.flags);
    run.progress = next.progress;
    run.flags = next.flags;
    run.bars.push_back(run.progress.processed);
  }
  return run;
}

Progress at(int processed, int phase, int timer_processed = 0, int percent = 0, int time = 0) {
  return {processed, phase, timer_processed, percent, time};
}

TEST(ProgressRules, HidGroupCreepsTowardsItsTargetTickByTick) {
  // from 9: three ticks to 10 (9 is a multiple of 3), three to 11, two to 12, two to 13
  const Ticks run = tick(ProgressGroup::hid, at(9, 50), 10);
  EXPECT_EQ(run.bars, (std::vector<int>{9, 9, 10, 10, 10, 11, 11, 12, 12, 13}));
  EXPECT_FALSE(run.flags.hid_first);
  EXPECT_FALSE(run.flags.hid_second);

  // at the target the bar stands until the target rises
  EXPECT_EQ(tick(ProgressGroup::hid, at(50, 50), 5).bars.back(), 50);
  // a box holds it, except below 1
  EXPECT_EQ(tick(ProgressGroup::hid, at(11, 50), 5, true).bars.back(), 11);
  EXPECT_EQ(tick(ProgressGroup::hid, at(-1, 50), 2, true).bars, (std::vector<int>{0, 1}));
}

TEST(ProgressRules, CameraGroupTakesThreeFlags) {
  const Ticks run = tick(ProgressGroup::camera, at(9, 50), 13);
  // 9 -> 10 in four ticks, 10 -> 11 in four, 11 -> 12 in three, 12 -> 13 in two
  EXPECT_EQ(run.bars, (std::vector<int>{9, 9, 9, 10, 10, 10, 10, 11, 11, 11, 12, 12, 13}));
  EXPECT_FALSE(run.flags.camera_first || run.flags.camera_second || run.flags.camera_third);
  EXPECT_EQ(tick(ProgressGroup::camera, at(20, 50), 6, true).bars.back(), 20);
}

TEST(ProgressRules, TimedStepCoversItsSpanIn62Ticks) {
  const Progress step = at(0, 0, 40, 30, 0);
  EXPECT_EQ(tick(ProgressGroup::default_rule, step, 31).bars.back(), 55);
  EXPECT_EQ(tick(ProgressGroup::default_rule, step, 62).bars.back(), 70);
  EXPECT_EQ(tick(ProgressGroup::default_rule, step, 100).bars.back(), 70);
  EXPECT_EQ(tick(ProgressGroup::default_rule, step, 100).progress.process_time, 62);
  // a target in addUpdateProcessed comes first; a box holds both
  EXPECT_EQ(tick(ProgressGroup::default_rule, at(3, 6), 10).bars, (std::vector<int>{4, 5, 6, 6, 6, 6, 6, 6, 6, 6}));
  EXPECT_EQ(tick(ProgressGroup::default_rule, at(3, 6), 3, true).bars.back(), 3);
  EXPECT_EQ(tick(ProgressGroup::default_rule, step, 3, true).bars.back(), 0);
  // nothing to do: the worker's own values stand
  EXPECT_EQ(tick(ProgressGroup::default_rule, at(2, 0), 3).bars.back(), 2);
}

TEST(ProgressRules, PhaseGroupsRunTheirCurvesAndTakeThePhase99Once) {
  struct Case {
    const char* name;
    ProgressGroup group;
    Progress start;
    int ticks;
    int bar;
  };
  const Case cases[] = {
      {"two-module, phase 3 or less shows the phase", ProgressGroup::two_module, at(0, 2), 1, 2},
      {"two-module long phase: 84 after 242 ticks", ProgressGroup::two_module, at(4, 4), 242, 84},
      {"two-module long phase: 85 after 243 ticks", ProgressGroup::two_module, at(4, 4), 243, 85},
      {"two-module closing phase stops at 99", ProgressGroup::two_module, at(86, 86), 38, 99},
      {"two-module closing phase stays at 99", ProgressGroup::two_module, at(86, 86), 200, 99},
      {"mesh long phase: 88 after 495 ticks", ProgressGroup::mesh, at(4, 4), 495, 88},
      {"mesh closing phase: 101 after 37 ticks", ProgressGroup::mesh, at(89, 89), 37, 101},
      {"mesh closing phase reaches 102 after 38", ProgressGroup::mesh, at(89, 89), 38, 102},
      {"mesh closing phase stays at 102", ProgressGroup::mesh, at(89, 89), 100, 102},
      {"unknown phase leaves the bar", ProgressGroup::mesh, at(50, 60), 5, 50},
      {"mesh with pause runs without a box", ProgressGroup::mesh_with_pause, at(89, 89), 38, 102},
      {"0x5345 rises one a tick", ProgressGroup::pair_unit, at(10, 0), 5, 15},
      {"0x5345 stops at 95", ProgressGroup::pair_unit, at(90, 0), 20, 95},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(tick(c.group, c.start, c.ticks).bars.back(), c.bar);
  }

  for (ProgressGroup group : {ProgressGroup::two_module, ProgressGroup::mesh}) {
    const Ticks closing = tick(group, at(95, 99), 3);
    EXPECT_EQ(closing.bars, (std::vector<int>{99, 99, 99}));
    EXPECT_EQ(closing.progress.phase, 100);
  }

  // the paused group stands still, tick count included, while a box is open
  const Ticks paused = tick(ProgressGroup::mesh_with_pause, at(89, 89, 7), 10, true);
  EXPECT_EQ(paused.bars.back(), 89);
  EXPECT_EQ(paused.progress.timer_processed, 7);
  // the others go on
  EXPECT_EQ(tick(ProgressGroup::mesh, at(89, 89), 38, true).bars.back(), 102);
}

TEST(ProgressRules, GroupsAndTheQuietEndSet) {
  struct Case {
    int product;
    ProgressGroup group;
    bool quiet;
  };
  const Case cases[] = {
      {0x4210, ProgressGroup::two_module, false}, {0x3110, ProgressGroup::mesh, true},
      {0x6812, ProgressGroup::mesh, true},        {0x6461, ProgressGroup::mesh, false},
      {0x3570, ProgressGroup::mesh, false},       {0x4D16, ProgressGroup::mesh_with_pause, false},
      {0x6010, ProgressGroup::hid, false},        {0x6900, ProgressGroup::hid, false},
      {0x3060, ProgressGroup::camera, false},     {0x5345, ProgressGroup::pair_unit, false},
      {0x6020, ProgressGroup::default_rule, false}, {0x3020, ProgressGroup::default_rule, false},
      {0x4D10, ProgressGroup::default_rule, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    EXPECT_EQ(update::progress_group_of(c.product), c.group);
    EXPECT_EQ(update::in_quiet_end_set(c.product), c.quiet);
  }
  int mesh = 0, hid = 0, quiet = 0;
  for (int product = 0; product <= 0xFFFF; ++product) {
    mesh += update::progress_group_of(product) == ProgressGroup::mesh;
    hid += update::progress_group_of(product) == ProgressGroup::hid;
    quiet += update::in_quiet_end_set(product);
  }
  EXPECT_EQ(mesh, 59);
  EXPECT_EQ(hid, 87);
  EXPECT_EQ(quiet, 49);
}

}  // namespace
