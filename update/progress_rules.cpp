#include "update/progress_rules.h"

#include <algorithm>
#include <span>

namespace update {

namespace {

constexpr int k_two_module_ids[] = {0x4210, 0x4310, 0x4330, 0x4430, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410};

constexpr int k_mesh_ids[] = {
    0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142,
    0x3144, 0x3146, 0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212,
    0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3500,
    0x3540, 0x3550, 0x3560, 0x3570, 0x3900, 0x5552, 0x5553, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510,
    0x6600, 0x6700, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};

constexpr int k_mesh_with_pause_ids[] = {0x4D06, 0x4D16, 0x4D76, 0x4D86};

constexpr int k_hid_ids[] = {
    0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3300, 0x3310, 0x3330,
    0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400, 0x4023, 0x4050, 0x5320, 0x5330, 0x5410, 0x5412, 0x5414,
    0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5520, 0x5522, 0x5524, 0x5526,
    0x5530, 0x5532, 0x5534, 0x5536, 0x5550, 0x5560, 0x5562, 0x5564, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
    0x5595, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920,
    0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039,
    0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400, 0x6900};

constexpr int k_camera_ids[] = {0x5510, 0x5580, 0x5570, 0x5576, 0x3060};

constexpr int k_pair_unit = 0x5345;

// The mesh group's products whose failures are shown in red after all.
constexpr int k_mesh_ids_with_warning[] = {0x6461, 0x6481, 0x6491, 0x6600, 0x6700,
                                           0x3500, 0x3540, 0x3550, 0x3560, 0x3570};

// The phase a procedure sets when it is about to end: the bar stops at 99.
constexpr int k_phase_closing = 99;
// A timed step covers its span in this many ticks, and stands at its end after.
constexpr int k_timed_step_ticks = 62;
constexpr int k_pair_unit_ceiling = 95;

bool in(std::span<const int> ids, int product) { return std::ranges::find(ids, product) != ids.end(); }

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

ProgressGroup progress_group_of(int product) {
  if (in(k_two_module_ids, product)) return ProgressGroup::two_module;
  if (in(k_mesh_ids, product)) return ProgressGroup::mesh;
  if (in(k_mesh_with_pause_ids, product)) return ProgressGroup::mesh_with_pause;
  if (in(k_hid_ids, product)) return ProgressGroup::hid;
  if (in(k_camera_ids, product)) return ProgressGroup::camera;
  if (product == k_pair_unit) return ProgressGroup::pair_unit;
  return ProgressGroup::default_rule;
}

bool in_quiet_end_set(int product) { return in(k_mesh_ids, product) && !in(k_mesh_ids_with_warning, product); }

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
