#pragma once
// The restore page's backup information panel, free of Qt: reading the
// product's backup archive and deciding whether it may be restored, and the
// texts the panel shows for it: the version and date rows and, for the
// selected settings tab, up to six settings rows, the three speed dials or the
// FM radio block. The page (update/UpdateViewController.h) writes the texts
// into its controls; a row the panel leaves unset keeps the text it had.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace update {

// Why a backup cannot be restored.
enum class BackupRefusal {
  none,
  no_file,             // no archive, or no internal name for the product
  damaged,             // the file is not a backup archive
  no_manager_version,  // written by a manager that stored no version of its own (0.0)
  not_compatible,      // too old for the recognized device
};

struct BackupReading {
  // What the archive holds; kept for display also when it is refused.
  std::unique_ptr<FEXOBluetoothDeviceData> record;
  BackupRefusal refusal = BackupRefusal::no_file;
  bool restorable() const { return record && refusal == BackupRefusal::none; }
};

// Reads the backup archive of `product` (the selected product) and checks it
// against `recognized` (the recognized device).
BackupReading read_backup(int product, int recognized);
// The refusal of a record read back from an archive.
BackupRefusal backup_refusal(const FEXOBluetoothDeviceData& backup, int recognized);

// How the first five value labels are aligned.
enum class RowAlignment { right, left };

struct BackupPanel {
  std::string version;     // tfRestoredVersion
  std::string date_label;  // lblRestoredDate
  // tfRestoredDate: the region name while the FM view is up; none: the
  // archive date, which the page formats in the current language.
  std::optional<std::string> date_value;
  RowAlignment alignment = RowAlignment::right;
  // lblRestoredData1..6 and tfRestoredData1..6; none: the row keeps its text.
  std::array<std::optional<std::string>, 6> labels;
  std::array<std::optional<std::string>, 6> values;
};

// The panel of `backup` for the selected product `product` on a tab of kind
// `tab_kind` (1 settings, 2 speed dial, 3 FM radio, anything else: none), in
// `language`.
BackupPanel backup_panel(const FEXOBluetoothDeviceData& backup, int product, int tab_kind, int language);
// The speed-dial view: rows 1 to 3 get the three speed dials of `backup`
// ("Empty" for none); the other rows are left as they are.
void fill_speed_dials(BackupPanel& panel, const FEXOBluetoothDeviceData& backup, int language);

// Which of the restore page's six rows show, and whether the restore table
// shows, for the selected product on a tab of kind `tab_kind`; the versions
// are those of the backup.
struct RestoreRows {
  int shown = 6;              // rows 1..shown show, the others are hidden
  bool hide_4_and_5 = false;  // rows 4 and 5 hidden, row 6 shown
  bool table = false;         // the restore table shows in place of the rows
  bool operator==(const RestoreRows&) const = default;
};
RestoreRows restore_rows(int product, int tab_kind, int major, int minor);

}  // namespace update
