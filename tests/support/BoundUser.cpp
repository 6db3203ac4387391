// Running a check as a user whom file permissions bind.
#include "support/BoundUser.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// How the child process that works as nobody ends, besides passing (0) or failing (1).
constexpr int kCannotWorkAsNobody = 2;
constexpr int kSkippedAsNobody = 3;

// Runs the check in a directory that the current user makes; false when it cannot.
bool CheckInOwnDirectory(const std::function<void(const std::string& dir)>& check) {
  std::string dir = (fs::temp_directory_path() / "plimko-bound-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return false;
  check(dir);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return true;
}

}  // namespace

void AsBoundUser(const std::function<void(const std::string& dir)>& check) {
  if (geteuid() != 0) {
    ASSERT_TRUE(CheckInOwnDirectory(check)) << "cannot make a temporary directory";
    return;
  }
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(kCannotWorkAsNobody);
    // An exception must not reach the test program, which would go on with the next
    // test as nobody.
    try {
      if (!CheckInOwnDirectory(check)) _exit(kCannotWorkAsNobody);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
    _exit(testing::Test::HasFailure() ? 1 : testing::Test::IsSkipped() ? kSkippedAsNobody : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kCannotWorkAsNobody) GTEST_SKIP() << "cannot work as the user nobody";
  if (WEXITSTATUS(status) == kSkippedAsNobody) GTEST_SKIP() << "skipped as the user nobody";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the check failed as the user nobody (see above)";
}
