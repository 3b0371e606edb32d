#pragma once
// Titles of the application and Help menus, the prompt to save changed device
// settings, and the texts of the device conversion (making a device safe to use
// beside the computer's built-in Bluetooth). Every operation takes the
// interface language last; outside 1..12, and where a language has no text of
// its own, the text is English. The controller adds forms that read its own
// interface language.
#include <string>

class MenuTexts {
 public:
  // Help menu title.
  static std::string stringMenuHelp(int language);
  // "About <application name>".
  static std::string stringMenuItemAbout(int language);
  // "Hide <application name>".
  static std::string stringMenuItemHideThis(int language);
  // Title of the item that hides the other applications.
  static std::string stringMenuItemHideOthers(int language);
  // Title of the item that shows all applications.
  static std::string stringMenuItemShowAll(int language);
  // "Quit <application name>".
  static std::string stringMenuItemQuit(int language);
  // Title of the item that opens the online help.
  static std::string stringMenuItemOnlineHelp(int language);
  // Title of the item that opens the language chooser (the chooser's caption).
  static std::string stringMenuItemManagerLanguage(int language);
  // Title of the item that writes the diagnostic log.
  static std::string stringMenuItemDiagnosticLog(int language);
  // Title of the item that toggles the keyboard-shortcut labels: offers to hide
  // them while `show_shortcuts` is true, to show them otherwise.
  static std::string stringMenuItemKeyboradShortcuts(bool show_shortcuts, int language);
  // Title of the item that shows the precaution page.
  static std::string stringMenuItemShowPrecaution(int language);

  // Asks whether to save the changed device settings; names the device-setting
  // page title whichever settings page is showing.
  static std::string stringPromptSave(int language);

  // Device conversion: steps the user takes and results of the procedure.
  static std::string stringDeviceConversionUnplugUSBCableFromMac(int language);
  static std::string stringDeviceConversionPlugUSBCableToMac(int language);
  // "1. <unplug step>."
  static std::string stringDeviceConversion1UnplugUSBCableFromMac(int language);
  // "2. <plug step> again."
  static std::string stringDeviceConversion2PlugUSBCableToMacAgain(int language);
  static std::string stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart(int language);
  static std::string stringDeviceConversionUnPlugAndPlugUSBCableToMac(int language);
  static std::string stringDeviceConversionConnectAndTurnOn(int language);
  static std::string stringDeviceConversionDeviceIsNotFound(int language);
  static std::string stringDeviceConversionFailedToOpenUSB(int language);
  static std::string stringDeviceConversionDeviceIsInModeOfUpdating(int language);
  static std::string stringDeviceConversionDeviceIsSafe(int language);
  static std::string stringDeviceConversionDeviceIsActivated(int language);
  static std::string stringDeviceConversionActivatingDevice(int language);
  // The stored password did not match. Without other input devices the user
  // is also sent to the Help menu's precaution item to enter it again.
  static std::string stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(
      bool have_alternative_input_devices, int language);
  // "Error code: 89" text naming the support mailbox of the deployment.
  static std::string stringDeviceConversionFailedBluetoothOff(int language);
};
