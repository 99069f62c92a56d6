// Runtime errors and the error-ignoring regime the controls run under.
// A failing runtime operation throws Failure; control code absorbs it with Step
// or Met, which record it on the thread's Err object.
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <string_view>

namespace lumora {

// Error numbers the runtime raises.
enum ErrorNumber : int32_t {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrTypeMismatch = 13,
  kErrFileNotFound = 53,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrInvalidFileFormat = 321,
  kErrNoObject = 91,
  kErrInvalidPropertyValue = 380,
  kErrSetNotAtRunTime = 382,
  kErrNoSuchMember = 438,
  kErrPersistentImage = 480,
  kErrInvalidPicture = 481,
};

class Failure : public std::exception {
 public:
  Failure(int32_t number, std::string description)
      : m_Number(number), m_Description(std::move(description)) {}
  int32_t Number() const noexcept { return m_Number; }
  const std::string& Description() const noexcept { return m_Description; }
  const char* what() const noexcept override { return m_Description.c_str(); }

 private:
  int32_t m_Number;
  std::string m_Description;
};

// Standard description of a runtime error number ("Overflow" for 6, ...).
std::string DefaultDescription(int32_t number);

// A failure as messages at the library's edges quote it: "Overflow (error 6)".
std::string WithNumber(const Failure& failure);

// Text from outside (a file, a script, a command line) made safe to quote in
// a message shown on a terminal: control characters (C0, DEL, C1) and bytes
// that are not UTF-8 become \xNN escapes, a backslash becomes two. Line
// breaks and tabs are kept when keepLines is set.
std::string Printable(std::string_view text, bool keepLines = false);

// Throws Failure with the number and its standard description.
[[noreturn]] void Fail(int32_t number);
[[noreturn]] void Fail(int32_t number, std::string description);

// The thread's error object: the last absorbed failure.
class ErrObject {
 public:
  int32_t Number() const { return m_Number; }
  const std::string& Description() const { return m_Description; }
  // Raises an error: throws Failure (the regime in force decides what happens).
  [[noreturn]] void Raise(int32_t number, std::string description = {});
  void Clear();
  void Record(const Failure& failure);

 private:
  int32_t m_Number = 0;
  std::string m_Description;
};

ErrObject& Err();

// Runs one statement under the error-ignoring regime: a failure skips the rest
// of the statement and is recorded on Err.
template <class Statement>
void Step(Statement&& statement) {
  try {
    statement();
  } catch (const Failure& failure) {
    Err().Record(failure);
  } catch (const std::bad_alloc&) {
    Err().Record(Failure(kErrOutOfMemory, DefaultDescription(kErrOutOfMemory)));
  }
}

// Evaluates a test under the error-ignoring regime; a test whose evaluation
// fails is recorded and answers whenFailed.
template <class Test>
bool Evaluated(Test&& test, bool whenFailed) {
  try {
    return static_cast<bool>(test());
  } catch (const Failure& failure) {
    Err().Record(failure);
  } catch (const std::bad_alloc&) {
    Err().Record(Failure(kErrOutOfMemory, DefaultDescription(kErrOutOfMemory)));
  }
  return whenFailed;
}

// A branch's test: one whose evaluation fails counts as met (execution goes on
// inside the branch it guards, and a loop whose end test fails ends).
template <class Test>
bool Met(Test&& test) {
  return Evaluated(test, true);
}

// The test of a loop that runs while it holds: one whose evaluation fails
// ends the loop.
template <class Test>
bool Continues(Test&& test) {
  return Evaluated(test, false);
}

}  // namespace lumora
