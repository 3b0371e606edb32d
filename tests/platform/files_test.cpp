#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <span>
#include <vector>
#include <optional>
#include <set>

namespace {

namespace fs = std::filesystem;

// A scratch folder and the three variables application_folder() reads, restored afterwards.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("vx_files_test_" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root);
    for (const char* name : k_variables) {
      const char* value = std::getenv(name);
      m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : m_saved) set_variable(name, value);
    fs::permissions(m_root / "locked", fs::perms::owner_all, std::filesystem::perm_options::add, m_ignored);
    fs::remove_all(m_root);
  }
  static void set_variable(const char* name, const std::optional<std::string>& value) {
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  // The names in `folder`.
  static std::set<std::string> listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
  }
  static std::string text_of(const fs::path& file) {
    std::optional<std::vector<uint8_t>> bytes = platform::read_file(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
  }

  static constexpr const char* k_variables[] = {"VEXLINK_APP_FOLDER", "XDG_DATA_HOME", "HOME"};
  fs::path m_root;
  std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
  std::error_code m_ignored;
};

TEST_F(FilesTest, ApplicationFolderFollowsTheEnvironmentAndIsCreated) {
  struct Case {
    const char* name;
    std::optional<std::string> app_folder, data_home, home;
    fs::path expected;
  };
  const std::string root = m_root.string();
  const Case cases[] = {
      {"explicit folder wins", root + "/app", root + "/data", root + "/home", m_root / "app"},
      {"empty explicit folder is ignored", "", root + "/data", root + "/home", m_root / "data" / "Vexlink Setwise"},
      {"data home", std::nullopt, root + "/data", root + "/home", m_root / "data" / "Vexlink Setwise"},
      {"home", std::nullopt, std::nullopt, root + "/home", m_root / "home" / ".local/share/Vexlink Setwise"},
      {"empty data home falls back to home", std::nullopt, "", root + "/home2",
       m_root / "home2" / ".local/share/Vexlink Setwise"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    set_variable("VEXLINK_APP_FOLDER", c.app_folder);
    set_variable("XDG_DATA_HOME", c.data_home);
    set_variable("HOME", c.home);
    EXPECT_EQ(platform::application_folder(), c.expected);
    EXPECT_TRUE(fs::is_directory(c.expected));
  }
}

TEST_F(FilesTest, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
  fs::path file = m_root / "Vexlink Setwise.vylaconf";
  ASSERT_TRUE(platform::write_file_atomically(file, std::string("first version, longer")));
  ASSERT_TRUE(platform::write_file_atomically(file, std::string("second")));
  EXPECT_EQ(text_of(file), "second");
  ASSERT_TRUE(platform::write_file_atomically(file, std::vector<uint8_t>{}));
  EXPECT_EQ(text_of(file), "");
  EXPECT_EQ(listing(m_root), std::set<std::string>{"Vexlink Setwise.vylaconf"});
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFile) {
  // the target is a folder
  fs::create_directories(m_root / "taken" / "inside");
  EXPECT_FALSE(platform::write_file_atomically(m_root / "taken", std::string("data")));
  EXPECT_TRUE(fs::is_directory(m_root / "taken" / "inside"));
  // the folder does not exist
  EXPECT_FALSE(platform::write_file_atomically(m_root / "missing" / "file", std::string("data")));
  EXPECT_EQ(listing(m_root), std::set<std::string>{"taken"});

  // the folder is not writable (root may write anywhere, so only for others)
  if (::geteuid() != 0) {
    fs::path locked = m_root / "locked";
    fs::create_directories(locked);
    ASSERT_TRUE(platform::write_file_atomically(locked / "archive", std::string("old")));
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::write_file_atomically(locked / "archive", std::string("new")));
    EXPECT_EQ(text_of(locked / "archive"), "old");
    EXPECT_EQ(listing(locked), std::set<std::string>{"archive"});
  }
}

TEST_F(FilesTest, TheNextSaveRemovesTheTemporaryFilesOfAKilledSave) {
  const fs::path file = m_root / "Vexlink Setwise.vylaconf";
  ASSERT_TRUE(platform::write_file_atomically(file, std::string("saved before")));
  // what saves killed before their rename left, and names that only look alike
  const std::vector<std::string> leftovers = {".Vexlink Setwise.vylaconf.tmp3141592653",
                                              ".Vexlink Setwise.vylaconf.tmp7"};
  const std::set<std::string> kept = {
      "Vexlink Setwise.vylaconf",
      ".Vexlink Setwise.vylaconf.tmp",       // no digits
      ".Vexlink Setwise.vylaconf.tmp12ab",   // not only digits
      "Vexlink Setwise.vylaconf.tmp123",     // not hidden
      ".other.vylaconf.tmp123",              // another file's
      ".Vexlink Setwise.vylaconf.tmp4242",   // a save of another process, still running
  };
  for (const std::string& name : leftovers) {
    ASSERT_TRUE(platform::write_file_atomically(m_root / name, std::string(100000, 'x')));
  }
  for (const std::string& name : kept) {
    if (name == file.filename()) continue;
    ASSERT_TRUE(platform::write_file_atomically(m_root / name, std::string("x")));
  }
  // the running save holds the lock on its temporary file
  const int running_save = ::open((m_root / ".Vexlink Setwise.vylaconf.tmp4242").c_str(), O_RDONLY);
  ASSERT_GE(running_save, 0);
  ASSERT_EQ(::flock(running_save, LOCK_EX), 0);

  ASSERT_TRUE(platform::write_file_atomically(file, std::string("saved again")));
  ::close(running_save);
  EXPECT_EQ(listing(m_root), kept);
  EXPECT_EQ(text_of(file), "saved again");

  // a save that fails still clears the leftovers of its file
  fs::create_directories(m_root / "taken");
  const fs::path leftover = m_root / ".taken.tmp99";
  ASSERT_TRUE(platform::write_file_atomically(leftover, std::string("x")));
  EXPECT_FALSE(platform::write_file_atomically(m_root / "taken", std::string("data")));
  EXPECT_FALSE(fs::exists(leftover));
}

TEST_F(FilesTest, ReadFileGivesNothingForMissingFilesAndFolders) {
  EXPECT_EQ(platform::read_file(m_root / "missing"), std::nullopt);
  EXPECT_EQ(platform::read_file(m_root), std::nullopt);
  std::vector<uint8_t> large(200000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7);
  ASSERT_TRUE(platform::write_file_atomically(m_root / "large", large));
  EXPECT_EQ(platform::read_file(m_root / "large"), large);
}

}  // namespace

namespace {

TEST_F(FilesTest, DiskFileOperationsCreateMoveMeasureAndReadBack) {
  const fs::path transfer = m_root / "__transfer__.bin";
  const fs::path firmware = m_root / "FIRMWARE.bin";
  std::vector<uint8_t> bytes(2500);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 13);

  EXPECT_FALSE(platform::file_exists(transfer));
  ASSERT_TRUE(platform::create_file(transfer, bytes));
  EXPECT_TRUE(platform::file_exists(transfer));
  ASSERT_TRUE(platform::move_file(transfer, firmware));
  EXPECT_FALSE(platform::file_exists(transfer));
  EXPECT_EQ(platform::file_size(firmware), 2500u);

  // blocks of the buffer's size, the last one shorter
  std::array<uint8_t, 1024> buffer{};
  std::vector<size_t> blocks;
  std::vector<uint8_t> read;
  EXPECT_EQ(platform::read_file_in_blocks(firmware, buffer,
                                          [&](std::span<const uint8_t> block) {
                                            blocks.push_back(block.size());
                                            read.insert(read.end(), block.begin(), block.end());
                                          }),
            platform::BlockReading::done);
  EXPECT_EQ(blocks, (std::vector<size_t>{1024, 1024, 452}));
  EXPECT_EQ(read, bytes);

  // a shorter file replaces the contents whole
  ASSERT_TRUE(platform::create_file(firmware, std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(platform::file_size(firmware), 3u);

  EXPECT_TRUE(platform::remove_file(firmware));
  EXPECT_TRUE(platform::remove_file(firmware)) << "nothing there is as good as removed";
  EXPECT_FALSE(platform::file_size(firmware));
  EXPECT_EQ(platform::read_file_in_blocks(firmware, buffer, [](std::span<const uint8_t>) {}),
            platform::BlockReading::cannot_open);
  EXPECT_FALSE(platform::move_file(firmware, transfer));

  // a folder is neither read, measured, replaced nor removed as a file
  fs::create_directories(m_root / "folder" / "inside");
  EXPECT_TRUE(platform::file_exists(m_root / "folder"));
  EXPECT_EQ(platform::read_file_in_blocks(m_root / "folder", buffer, [](std::span<const uint8_t>) {}),
            platform::BlockReading::cannot_open);
  EXPECT_FALSE(platform::file_size(m_root / "folder"));
  EXPECT_FALSE(platform::create_file(m_root / "folder", bytes));
  EXPECT_FALSE(platform::remove_file(m_root / "folder"));
  ASSERT_TRUE(platform::create_file(transfer, bytes));
  EXPECT_FALSE(platform::move_file(transfer, m_root / "folder"));
}

TEST_F(FilesTest, TextFilesAreReadOnlyAsUtf8) {
  const fs::path file = m_root / "version.conf";
  ASSERT_TRUE(platform::create_file(file, std::vector<uint8_t>{'2', '.', '1', 0xC3, 0xA9}));
  EXPECT_EQ(platform::read_text_file(file), "2.1\xC3\xA9");
  ASSERT_TRUE(platform::create_file(file, std::vector<uint8_t>{'2', '.', 0xFF}));
  EXPECT_FALSE(platform::read_text_file(file));
  EXPECT_FALSE(platform::read_text_file(m_root / "missing"));
}

}  // namespace
