#include "device_data/FEXOBluetoothDeviceData.h"

void FEXOBluetoothDeviceData::initializeObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                            int32_t minor) {
  (void)device;
  (void)major;
  (void)minor;
  // every settings word starts cleared; the product's row then writes its own
  for (int index = 0; index < kBasicSettingLM6Count; ++index) setBasicSetting20At_with(index, 0);
  for (int index = 0; index < kVOXSensitivityCount; ++index) setBasicSettingKR5VOXSensitivity_with(index, 0);
  for (int index = 0; index < kSmartVolumeControlCount; ++index) setBasicSettingTJ4SmartVolumeControl_with(index, 0);
  for (int index = 0; index < kCameraWordCount; ++index) setBasicSettingVT4Camera_with(index, 0);

  initializeSpeedDialObjectWithDevice_VersionMajor_Minor(device, major, minor);
}

void FEXOBluetoothDeviceData::initializeSecondObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                                  int32_t minor) {
  // the LM6 unit from firmware 1.1 ships set to region 1
  const bool lm6_region_1 =
      device == 0x4210 && compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, 1, 1) >= 0;
  m_fmRadioRegion = lm6_region_1 ? 1 : 0;
  const int preset_count = fmPresetCountForDevice(deviceRecognized());
  for (int index = 0; index < preset_count; ++index) setFmRadioPresetsAt_with(index, 0);
  setFmRadioRDS(0);
}

void FEXOBluetoothDeviceData::initializeSpeedDialObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major,
                                                                                     int32_t minor) {
  (void)device;
  (void)major;
  (void)minor;
  for (int index = 0; index < kSpeedDialCount; ++index) setSpeedDialAt_with(index, std::string());
}
