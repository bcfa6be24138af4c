// The desktop's choosers as child processes, with fake zenity and kdialog
// scripts on PATH that record their arguments: which tool is chosen, what
// it is told, what its output and exit status mean, and that an unfinished
// one is ended and reaped when the chooser goes.
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "linux/DesktopFileChooser.h"

namespace {

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

class DesktopFileChooserTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vrels-chooser-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    mDir = pattern;
    for (const char* name : {"PATH", "HOME", "DISPLAY", "VRELS_FILE_CHOOSER"}) {
      const char* value = std::getenv(name);
      mSaved.push_back({name, value ? value : "", value != nullptr});
    }
    // Only the fakes can be found; they use shell built-ins and full paths.
    setenv("PATH", (mDir + "/bin").c_str(), 1);
    setenv("DISPLAY", ":0", 1);
    unsetenv("VRELS_FILE_CHOOSER");
    mkdir((mDir + "/bin").c_str(), 0700);
    mkdir((mDir + "/start").c_str(), 0700);
  }
  void TearDown() override {
    for (const Saved& s : mSaved) s.set ? setenv(s.name, s.value.c_str(), 1) : unsetenv(s.name);
    std::system(("rm -rf '" + mDir + "'").c_str());
  }
  // A fake tool that writes its arguments, one a line, to DIR/<name>.args
  // and then runs `body`.
  void Fake(const std::string& name, const std::string& body) {
    const std::string path = mDir + "/bin/" + name;
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done >'" << mDir << "/" << name
                        << ".args'\n"
                        << body << "\n";
    chmod(path.c_str(), 0700);
  }
  std::string Read(const std::string& name) {
    std::stringstream text;
    text << std::ifstream(mDir + "/" + name).rdbuf();
    return text.str();
  }
  static void Finish(FileChooser* chooser) {
    while (!chooser->Poll()) usleep(1000);
  }

  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> mSaved;
  std::string mDir;
};

TEST_F(DesktopFileChooserTest, ZenityComesFirstAndItsPrintedLineIsThePath) {
  Fake("zenity", "printf '/chosen/take 1.txt\\n'; exit 0");
  Fake("kdialog", "exit 0");
  // A starting folder that does not exist gives way to $HOME.
  setenv("HOME", (mDir + "/start").c_str(), 1);
  auto chooser = FileChooser::Start(FileChooser::kSave, mDir + "/missing", 77);
  ASSERT_NE(dynamic_cast<DesktopFileChooser*>(chooser.get()), nullptr);
  Finish(chooser.get());
  EXPECT_EQ("/chosen/take 1.txt", chooser->Path());
  EXPECT_TRUE(chooser->Poll());
  EXPECT_EQ("--file-selection\n--save\n--confirm-overwrite\n--filename=" + mDir +
                "/start/\n--title=Save file\n--attach=77\n",
            Read("zenity.args"));
}

TEST_F(DesktopFileChooserTest, AToolThatCannotStartIsPassedOverAndAFailedOneCancels) {
  // Forced but missing: the next one is taken.
  setenv("VRELS_FILE_CHOOSER", "zenity", 1);
  Fake("kdialog", "echo /chosen/anyway; exit 1");
  auto chooser = FileChooser::Start(FileChooser::kOpen, mDir + "/start", 0);
  ASSERT_NE(dynamic_cast<DesktopFileChooser*>(chooser.get()), nullptr);
  Finish(chooser.get());
  EXPECT_EQ("", chooser->Path());
  EXPECT_EQ("--getopenfilename\n" + mDir + "/start\n--title\nOpen file\n", Read("kdialog.args"));

  setenv("VRELS_FILE_CHOOSER", "kdialog", 1);
  Fake("zenity", "exit 0");
  Fake("kdialog", "echo /chosen/saved");
  chooser = FileChooser::Start(FileChooser::kSave, mDir + "/start", 4242);
  Finish(chooser.get());
  EXPECT_EQ("/chosen/saved", chooser->Path());
  EXPECT_EQ("--getsavefilename\n" + mDir + "/start\n--title\nSave file\n--attach\n4242\n",
            Read("kdialog.args"));
}

TEST_F(DesktopFileChooserTest, DestroyingAnUnfinishedToolEndsAndReapsIt) {
  Fake("zenity", "echo $$ >'" + mDir + "/pid'; exec /bin/sleep 1000");
  const int descriptors = OpenDescriptors();
  auto chooser = FileChooser::Start(FileChooser::kOpen, mDir, 0);
  ASSERT_NE(chooser, nullptr);
  while (Read("pid").empty()) EXPECT_FALSE(chooser->Poll());
  const pid_t pid = std::atoi(Read("pid").c_str());
  ASSERT_GT(pid, 0);
  chooser.reset();
  // Neither running nor a zombie: the process id is free; the pipe is closed.
  EXPECT_EQ(-1, kill(pid, 0));
  EXPECT_EQ(ESRCH, errno);
  EXPECT_EQ(descriptors, OpenDescriptors());
}

}  // namespace
