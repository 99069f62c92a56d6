// What every test shares: a fresh thread state before and after each test, a
// scratch folder that goes away with the test, and the check that a statement
// fails with a given runtime error.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"
#include "platform/services.hpp"
#include "platform/thread_state.hpp"

namespace lumora::testing {

using lumora::ResetThreadState;

// Each test starts and ends with a fresh thread state (before the derived
// fixture's members are made, since they may create forms).
class LumoraTest : public ::testing::Test {
 protected:
  LumoraTest() { ResetThreadState(); }
  ~LumoraTest() override { ResetThreadState(); }
};

// A folder of its own for one test, removed with everything in it afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> s_Count{0};
    m_Path = std::filesystem::temp_directory_path() /
             ("lumora_test_" + std::to_string(::getpid()) + "_" + std::to_string(s_Count++));
    std::filesystem::create_directories(m_Path);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return m_Path; }
  std::string operator/(const std::string& name) const { return (m_Path / name).string(); }

 private:
  std::filesystem::path m_Path;
};

}  // namespace lumora::testing

// Expects statement to fail with a runtime error of that number.
#define EXPECT_FAILS_WITH(number, statement)                        \
  do {                                                              \
    try {                                                           \
      statement;                                                    \
      ADD_FAILURE() << #statement " did not fail";                  \
    } catch (const ::lumora::Failure& failure) {                    \
      EXPECT_EQ(failure.Number(), number) << failure.Description(); \
    }                                                               \
  } while (false)
