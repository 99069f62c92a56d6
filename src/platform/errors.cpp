#include "platform/errors.hpp"

namespace lumora {

std::string DefaultDescription(int32_t number) {
  switch (number) {
    case 0: return {};
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrFileNotFound: return "File not found";
    case kErrPathFileAccess: return "Path/File access error";
    case kErrPathNotFound: return "Path not found";
    case kErrInvalidFileFormat: return "Invalid file format";
    case kErrNoObject: return "Object variable or With block variable not set";
    case kErrInvalidPropertyValue: return "Invalid property value";
    case kErrSetNotAtRunTime: return "Set not supported at run time";
    case kErrNoSuchMember: return "Object doesn't support this property or method";
    case kErrPersistentImage: return "Can't create AutoRedraw image";
    case kErrInvalidPicture: return "Invalid picture";
    default: return "Application-defined or object-defined error";
  }
}

void Fail(int32_t number) {
  throw Failure(number, DefaultDescription(number));
}

void Fail(int32_t number, std::string description) {
  throw Failure(number, std::move(description));
}

void ErrObject::Raise(int32_t number, std::string description) {
  if (description.empty()) description = DefaultDescription(number);
  throw Failure(number, std::move(description));
}

void ErrObject::Clear() {
  m_Number = 0;
  m_Description.clear();
}

void ErrObject::Record(const Failure& failure) {
  m_Number = failure.Number();
  m_Description = failure.Description();
}

ErrObject& Err() {
  thread_local ErrObject err;
  return err;
}

}  // namespace lumora
