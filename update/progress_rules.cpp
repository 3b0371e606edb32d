#include "update/progress_rules.h"

#include <algorithm>

#include "device_data/product_facts.h"

namespace update {

namespace {

// The phase a procedure sets when it is about to end: the bar stops at 99.
constexpr int k_phase_closing = 99;
// A timed step covers its span in this many ticks, and stands at its end after.
constexpr int k_timed_step_ticks = 62;
constexpr int k_pair_unit_ceiling = 95;

// Two-module and mesh groups: the phases and the bar they give after `ticks` ticks.
struct PhaseCurve {
  int long_phase;       // the long writing phase
  int long_ceiling;     // where the bar stops in it
  int closing_phase;    // the short closing phase
  int closing_ceiling;  // where the bar stops in it
};
constexpr PhaseCurve k_two_module_curve{4, 85, 86, 99};
// The mesh bar runs to 102 in its closing phase: the page's bar reaches past 100.
constexpr PhaseCurve k_mesh_curve{4, 88, 89, 102};

Progress phase_rule(ProgressGroup group, Progress progress) {
  const PhaseCurve& curve = group == ProgressGroup::two_module ? k_two_module_curve : k_mesh_curve;
  const int n = ++progress.timer_processed;
  const int phase = progress.phase;
  if (phase <= 3) {
    progress.processed = phase;
  } else if (phase == curve.long_phase) {
    const int gained = group == ProgressGroup::two_module ? ((n * 100 / 245) * 82) / 100 : ((n / 5) * 85) / 100;
    progress.processed = std::min(curve.long_phase + gained, curve.long_ceiling);
  } else if (phase == curve.closing_phase) {
    progress.processed = std::min(curve.closing_phase + ((n * 100 / 40) * 14) / 100, curve.closing_ceiling);
  } else if (phase == k_phase_closing) {
    // taken once: the next ticks leave the bar at 99 until the worker reports
    progress.phase = k_update_succeeded;
    progress.processed = k_phase_closing;
  }
  return progress;
}

bool odd_and_not_multiple_of_3(int value) { return value % 2 == 1 && value % 3 != 0; }

ProgressTick hid_rule(bool box_open, ProgressTick tick) {
  int& p = tick.progress.processed;
  StepFlags& flags = tick.flags;
  if (p <= 0) {
    ++p;
  } else if (box_open || p >= tick.progress.phase) {
    // stands while a box is open, and at the target
  } else if (!flags.hid_first) {
    flags.hid_first = true;
  } else if (odd_and_not_multiple_of_3(p)) {
    ++p;
  } else if (!flags.hid_second) {
    flags.hid_second = true;
  } else {
    ++p;
    flags.hid_first = false;
    flags.hid_second = false;
  }
  return tick;
}

ProgressTick camera_rule(bool box_open, ProgressTick tick) {
  int& p = tick.progress.processed;
  StepFlags& flags = tick.flags;
  if (p <= 0) {
    ++p;
  } else if (box_open || p >= tick.progress.phase) {
    // stands while a box is open, and at the target
  } else if (!flags.camera_first) {
    flags.camera_first = true;
  } else if (!flags.camera_second) {
    flags.camera_second = true;
  } else if (odd_and_not_multiple_of_3(p)) {
    ++p;
  } else if (flags.camera_third) {
    ++p;
    flags.camera_first = false;
    flags.camera_second = false;
    flags.camera_third = false;
  } else {
    flags.camera_third = true;
  }
  return tick;
}

Progress default_rule(bool box_open, Progress progress) {
  if (progress.phase > 0 && !box_open) {
    if (progress.processed < progress.phase) ++progress.processed;
  } else if (progress.percent_to_process > 0 && !box_open) {
    progress.process_time = std::min(progress.process_time + 1, k_timed_step_ticks);
    progress.processed =
        progress.timer_processed + (progress.process_time * progress.percent_to_process) / k_timed_step_ticks;
  }
  return progress;
}

}  // namespace

ProgressGroup progress_group_of(int product) { return device_data::product_facts(product).progress_group; }

bool in_quiet_end_set(int product) { return device_data::product_facts(product).quiet_update_end; }

ProgressTick apply_progress_rule(ProgressGroup group, bool box_open, const Progress& progress,
                                 const StepFlags& flags) {
  switch (group) {
    case ProgressGroup::two_module:
    case ProgressGroup::mesh:
      return {phase_rule(group, progress), flags};
    case ProgressGroup::mesh_with_pause:
      if (box_open) return {progress, flags};
      return {phase_rule(group, progress), flags};
    case ProgressGroup::hid:
      return hid_rule(box_open, {progress, flags});
    case ProgressGroup::camera:
      return camera_rule(box_open, {progress, flags});
    case ProgressGroup::pair_unit: {
      Progress next = progress;
      if (next.processed < k_pair_unit_ceiling) ++next.processed;
      return {next, flags};
    }
    case ProgressGroup::default_rule:
      return {default_rule(box_open, progress), flags};
  }
  return {progress, flags};
}

}  // namespace update
