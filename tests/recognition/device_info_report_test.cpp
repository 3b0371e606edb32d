#include "recognition/device_info_report.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "recognition/DeviceRecognitionViewController.h"
#include "sim/models/bluecore_model.h"
#include "strings/product_catalogue.h"
#include "support/bus_fixture.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"
#include "page_fixture.h"
#include "transport/bluecore_channel.h"

namespace {

using namespace std::chrono_literals;
using recognition::DeviceInfoReport;
using recognition::DeviceInfoSnapshot;
using test_support::LoopbackResponse;

constexpr char k_path[] = "/moa/moa_register.php";

// The 4.3.1.2 firmware of a Solvane Pro with its address, in German.
DeviceInfoSnapshot solvane_pro() {
  DeviceInfoSnapshot snapshot;
  snapshot.bd_address = "00:02:5B:2D:D4:9E";
  snapshot.version_major = 4;
  snapshot.version_minor = 3;
  snapshot.secondary_type = 1;
  snapshot.secondary = 2;
  snapshot.device_target = 0x4330;
  snapshot.language = 2;
  return snapshot;
}

constexpr char k_solvane_pro_form[] =
    "&bd=00%3A02%3A5B%3A2D%3AD4%3A9E&version=4.3.1.2.0&device_id=Solvane_Pro&os=3&language=de";

TEST(DeviceInfoForm, PairsInTheirOrderUpToTheFirstMissingValue) {
  struct Case {
    const char* name;
    std::function<void(DeviceInfoSnapshot&)> change;
    std::string form;
  };
  const std::string base = k_solvane_pro_form;
  const Case cases[] = {
      {"no key", [](DeviceInfoSnapshot&) {}, base},
      {"key and value",
       [](DeviceInfoSnapshot& s) {
         s.ps_key = "854";
         s.ps_key_value = "0102ABCD";
       },
       base + "&pskey=854&value=0102ABCD"},
      {"a key without its value", [](DeviceInfoSnapshot& s) { s.ps_key = "854"; }, base + "&pskey=854"},
      {"a value without its key", [](DeviceInfoSnapshot& s) { s.ps_key_value = "0102"; }, base},
      {"no address: nothing", [](DeviceInfoSnapshot& s) { s.bd_address.reset(); }, ""},
      {"an empty address is a value", [](DeviceInfoSnapshot& s) { s.bd_address = ""; },
       "&bd=&version=4.3.1.2.0&device_id=Solvane_Pro&os=3&language=de"},
      {"no model id: up to the version", [](DeviceInfoSnapshot& s) { s.device_target = 0x6020; },
       "&bd=00%3A02%3A5B%3A2D%3AD4%3A9E&version=4.3.1.2.0"},
      {"a name with a slash", [](DeviceInfoSnapshot& s) { s.device_target = 0x5620; },
       "&bd=00%3A02%3A5B%3A2D%3AD4%3A9E&version=4.3.1.2.0&device_id=JX3_RZ4%2FRZ4Pro&os=3&language=de"},
      {"separators and UTF-8 in a value stay inside it",
       [](DeviceInfoSnapshot& s) { s.bd_address = "a&b=c d\xC3\xA9"; },
       "&bd=a%26b%3Dc%20d%C3%A9&version=4.3.1.2.0&device_id=Solvane_Pro&os=3&language=de"},
      {"negative version parts", [](DeviceInfoSnapshot& s) { s.version_minor = -1; },
       "&bd=00%3A02%3A5B%3A2D%3AD4%3A9E&version=4.-1.1.2.0&device_id=Solvane_Pro&os=3&language=de"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceInfoSnapshot snapshot = solvane_pro();
    c.change(snapshot);
    EXPECT_EQ(recognition::device_info_form(snapshot), c.form);
  }
}

TEST(DeviceInfoForm, ModelIdsAreCatalogueNamesWithUnderscores) {
  const int listed[] = {0x4210, 0x4310, 0x4330, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410, 0x4430, 0x5510,
                        0x5580, 0x5570, 0x5611, 0x5610, 0x5612, 0x5620, 0x5621, 0x5520, 0x5526, 0x5720,
                        0x5530, 0x5532, 0x5550, 0x5710, 0x5524, 0x5536, 0x5522, 0x3030, 0x3050, 0x3060,
                        0x3040, 0x5910, 0x5920, 0x5623, 0x5622, 0x5624, 0x6210, 0x6400, 0x3110, 0x3116,
                        0x3118, 0x3112, 0x3114, 0x5410, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416};
  for (const int id : listed) {
    SCOPED_TRACE(id);
    const std::optional<std::string> model_id = DeviceInfoReport::deviceInfoGetXMLID(id);
    ASSERT_TRUE(model_id);
    std::string expected = ProductCatalogue::vyla_product_name(id).value();
    std::replace(expected.begin(), expected.end(), ' ', '_');
    EXPECT_EQ(*model_id, expected);
    EXPECT_EQ(model_id->find(' '), std::string::npos);
  }
  EXPECT_EQ(DeviceInfoReport::deviceInfoGetXMLID(0x4510), "VKT_Vireon2");
  EXPECT_EQ(DeviceInfoReport::deviceInfoGetXMLID(0x5532), "Kelto!_Audio_KR7");
  for (const int id : {0, 0x6020, 0x4D10, 0xC210, 0x5310, -1}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(DeviceInfoReport::deviceInfoGetXMLID(id), std::nullopt);
  }
}

TEST(DeviceInfoForm, LanguageCodesKeysAndValues) {
  const char* const codes[] = {"en", "fr", "de", "it", "ja", "ko", "es", "nl", "ru", "zh", "fi", "en", "en"};
  for (int language = 0; language < 13; ++language) {
    EXPECT_EQ(DeviceInfoReport::deviceInfoGetLanguage(language), codes[language]) << language;
  }
  EXPECT_EQ(DeviceInfoReport::deviceInfoGetLanguage(-1), "en");

  for (const int shifted : {0x4210, 0x4310, 0x4330, 0x4510, 0x4530, 0x2030, 0x4410, 0x4430}) {
    EXPECT_EQ(DeviceInfoReport::deviceInfoGetPSKey(754, shifted), "854") << shifted;
  }
  for (const int plain : {0x4610, 0x6020, 0x4D10, 0}) EXPECT_EQ(DeviceInfoReport::deviceInfoGetPSKey(754, plain), "754");

  const std::uint16_t words[] = {0x0102, 0xABCD, 0x000F};
  struct Case {
    int count;
    std::span<const std::uint16_t> words;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {3, words, "0102ABCD000F"},
      {2, words, "0102ABCD"},
      // never beyond the words given
      {40, std::span(words).first(2), "0102ABCD"},
      {0, words, std::nullopt},
      {-3, words, std::nullopt},
      {2, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(DeviceInfoReport::deviceInfoGetPSKeyValueLength_with(c.count, c.words), c.text);
  }
}

TEST(DeviceInfoForm, TheEndpointIsOnTheDefaultServersHost) {
  const char* saved = std::getenv("VEXLINK_SERVER_BASE");
  const std::string previous = saved ? saved : "";
  ::unsetenv("VEXLINK_SERVER_BASE");
  EXPECT_EQ(recognition::registration_url(), "https://update.vexlink.example/moa/moa_register.php?");
  ::setenv("VEXLINK_SERVER_BASE", "https://mirror.example:8443/fexobluetoothmanager/", 1);
  EXPECT_EQ(recognition::registration_url(), "https://mirror.example:8443/moa/moa_register.php?");
  if (saved) {
    ::setenv("VEXLINK_SERVER_BASE", previous.c_str(), 1);
  } else {
    ::unsetenv("VEXLINK_SERVER_BASE");
  }
}

class DeviceInfoReportTest : public test_support::BusFixture {
 protected:
  void SetUp() override { m_server.set_response(k_path, LoopbackResponse{200, "OK registered", "text/plain", ""}); }

  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
};

TEST_F(DeviceInfoReportTest, PostsTheFormToTheRegistrationPath) {
  EXPECT_EQ(DeviceInfoReport::threadMethodDeviceInfoCollection(solvane_pro()), "OK registered");
  const std::vector<test_support::LoopbackRequest> requests = m_server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].target, "/moa/moa_register.php?");
  EXPECT_EQ(requests[0].body, k_solvane_pro_form);
  EXPECT_EQ(requests[0].header("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(DeviceInfoReportTest, NothingIsSentWithoutAModelId) {
  for (const int target : {0x6020, 0, 0x4D10}) {
    SCOPED_TRACE(target);
    DeviceInfoSnapshot snapshot = solvane_pro();
    snapshot.device_target = target;
    EXPECT_EQ(DeviceInfoReport::threadMethodDeviceInfoCollection(snapshot), std::nullopt);
  }
  EXPECT_TRUE(m_server.requests().empty());

  // a missing address still sends the report, with an empty form
  DeviceInfoSnapshot no_address = solvane_pro();
  no_address.bd_address.reset();
  EXPECT_EQ(DeviceInfoReport::threadMethodDeviceInfoCollection(no_address), "OK registered");
  ASSERT_EQ(m_server.requests().size(), 1u);
  EXPECT_EQ(m_server.requests()[0].body, "");
}

TEST_F(DeviceInfoReportTest, AKeyReadOverTheBlueCoreChannelIsReportedWithItsValue) {
  sim::BlueCoreModelOptions device = sim::bluecore_fixture_4d10();
  device.ps_keys[754] = {0x0102, 0xABCD};
  auto model = attach(std::make_shared<sim::BlueCoreModel>(device));
  std::array<std::uint32_t, 2> ids{};
  transport_message message{};
  ASSERT_EQ(bc_open_devices(ids, message, 0), 0);
  std::array<std::uint8_t, 2 * k_bc_ps_max_words> bytes{};
  std::uint16_t size = 0;
  ASSERT_EQ(bc_ps_read(754, bytes, size), 0);
  bc_close_devices();
  model->take_received();
  std::vector<std::uint16_t> words;
  for (std::size_t i = 0; i + 1 < size; i += 2) words.push_back(static_cast<std::uint16_t>(bytes[i] | bytes[i + 1] << 8));

  DeviceInfoSnapshot snapshot = solvane_pro();
  snapshot.device_target = 0x4210;
  snapshot.ps_key = DeviceInfoReport::deviceInfoGetPSKey(754, snapshot.device_target);
  snapshot.ps_key_value =
      DeviceInfoReport::deviceInfoGetPSKeyValueLength_with(static_cast<int>(words.size()), words);
  EXPECT_EQ(snapshot.ps_key, "854");
  EXPECT_EQ(snapshot.ps_key_value, "0102ABCD");
  ASSERT_TRUE(DeviceInfoReport::threadMethodDeviceInfoCollection(snapshot));
  ASSERT_EQ(m_server.requests().size(), 1u);
  EXPECT_EQ(m_server.requests()[0].body,
            "&bd=00%3A02%3A5B%3A2D%3AD4%3A9E&version=4.3.1.2.0&device_id=LM6&os=3&language=de"
            "&pskey=854&value=0102ABCD");
}

TEST_F(DeviceInfoReportTest, TheReportRunsOnAnOwnedThreadThatIsStoppedAndJoined) {
  DeviceInfoReport report;
  EXPECT_TRUE(report.finished());
  ASSERT_TRUE(report.deviceInfoCollector(solvane_pro()));
  report.join();
  EXPECT_TRUE(report.finished());
  ASSERT_EQ(m_server.request_count(k_path), 1);

  // a server that sits on the request: a second report waits its turn, and the
  // owner going away ends the first at once
  m_server.set_response(k_path, LoopbackResponse{200, "late", "text/plain", "", false, 30s});
  const auto started = std::chrono::steady_clock::now();
  {
    DeviceInfoReport slow;
    ASSERT_TRUE(slow.deviceInfoCollector(solvane_pro()));
    while (m_server.request_count(k_path) < 2) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(slow.finished());
    EXPECT_FALSE(slow.deviceInfoCollector(solvane_pro()));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_EQ(m_server.request_count(k_path), 2);
}

class DeviceInfoReportPage : public test_support::PageFixture {
 protected:
  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
};

TEST_F(DeviceInfoReportPage, TheRecognitionPageReportsTheControllersDeviceAsItWasWhenTheReportStarted) {
  m_server.set_response(k_path, LoopbackResponse{200, "OK", "text/plain", ""});
  start();
  controller().setDeviceTarget(0x4330);
  controller().setLanguageManager(2);
  FEXOBluetoothDeviceData& record = controller().data();
  record.setDeviceBdAddress("00:02:5B:2D:D4:9E");
  record.setDeviceVersionMajor(4);
  record.setDeviceVersionMinor(3);
  record.setDeviceSecondaryVersionType(1);
  record.setDeviceSecondaryVersion(2);
  DeviceRecognitionViewController* page = controller().deviceRecognitionViewController();
  EXPECT_EQ(page->deviceInfoGetXMLID(), "Solvane_Pro");
  EXPECT_EQ(page->deviceInfoGetLanguage(), "de");
  EXPECT_EQ(page->deviceInfoGetPSKey(754), "854");

  ASSERT_TRUE(page->deviceInfoCollector());
  // a recognition writing the record meanwhile does not reach the report
  record.setDeviceBdAddress("11:22:33:44:55:66");
  controller().setDeviceTarget(0x6020);
  VX_TRY_VERIFY(page->deviceInfoFinished());
  const std::vector<test_support::LoopbackRequest> requests = m_server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].body, k_solvane_pro_form);
}

}  // namespace
