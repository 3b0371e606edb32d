#pragma once
// Device recognition page (page mode 4): the user connects the device and
// presses Next; a worker thread reads the device into the controller's record
// while a one-second timer waits for its result, then the page leads on to the
// page that asked for the recognition.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "recognition/device_info_report.h"
#include "recognition/recognition_worker.h"
#include "strings/recognition_texts.h"
#include "widgets/DetailViewController.h"

class FEXOBluetoothDeviceData;
class QLineEdit;
class QTextBrowser;
class QTimer;

class DeviceRecognitionViewController : public DetailViewController, public DeviceRecognitionTexts {
  Q_OBJECT

 public:
  explicit DeviceRecognitionViewController(QWidget* parent = nullptr);
  ~DeviceRecognitionViewController() override;
  // Stops a running recognition at its next step and waits for it (shut-down).
  void stopRecognition();

  // Page that asked for the recognition (5..9, a mode plus 100), or 0 from the selection.
  void setCallerMode(int mode) { m_handOff.setCallerMode(mode); }
  int callerMode() const { return m_handOff.callerMode(); }
  // Set on every entry of the page; the worker's legacy-USB entry reads and clears it.
  bool isFirst() const { return m_handOff.isFirst(); }

  // Entry of the page.
  void initializeObject();
  // Next: starts a recognition with no record to restore.
  void recognize(QObject* sender = nullptr);
  // Starts a recognition; `info` is the record a restore writes back into the
  // device (nullptr for none). Ignored while a recognition runs.
  void doRecognize(const FEXOBluetoothDeviceData* info);
  // Back: the device selection.
  void targetDevice(QObject* sender = nullptr);
  // The one-second poll of the worker's result.
  void timerMethodRecognize();
  // Return to the caller after success, showing `status` (red when `warning`).
  void moveToCaller_withWarning(const std::string& status, bool warning);
  // `text` as HTML in which every web address is a link to itself.
  static QString autoLinkURLs(const QString& text);

  // The device-information report, which nothing starts: posts the record's
  // identity in the controller's language from a thread of the page's own,
  // joined when the page goes. False while an earlier report is on its way.
  bool deviceInfoCollector();
  bool deviceInfoFinished() const { return m_deviceInfoReport.finished(); }
  // Model id of the controller's deviceTarget, or none.
  std::optional<std::string> deviceInfoGetXMLID() const;
  // Two-letter code of the controller's interface language.
  std::string deviceInfoGetLanguage() const;
  // `key` as the report numbers it for the controller's deviceTarget.
  std::string deviceInfoGetPSKey(int key) const;
  // The first `count` words as "%04X" each; none when `count` is below 1.
  std::optional<std::string> deviceInfoGetPSKeyValueLength_with(int count, std::span<const std::uint16_t> words) const;

  // Instruction, hidden outlets, and Next, Back and progress by the controller's onProcessing.
  void setControls() override;
  // Next and Back carry their words, or the shortcut hints.
  void setShortcuts() override;
  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }

  // Texts in the controller's current language.
  std::string stringInstructionPressNextButtonAt(int step) const;
  std::string stringInstructionNormalActivated() const;
  std::string stringInstruction() const;
  std::string stringMessageDeviceOtherThan() const;
  std::string stringMessageRestartingManager() const;

 private:
  int language() const;
  void hide_unused_outlets_and_show_instruction();

  recognition::RecognitionHandOff m_handOff;
  std::unique_ptr<recognition::RecognitionWorker> m_worker;  // made on the first start
  QTimer* m_timer = nullptr;
  QTextBrowser* m_tvInstruction = nullptr;
  QLineEdit* m_tfInstruction = nullptr;
  QLineEdit* m_tfHIDInstruction = nullptr;
  QWidget* m_webView = nullptr;
  recognition::DeviceInfoReport m_deviceInfoReport;
};
