#include "platform/errors.hpp"

namespace lumora {

std::string WithNumber(const Failure& failure) {
  return failure.Description() + " (error " + std::to_string(failure.Number()) + ")";
}

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

namespace {
// The length of the UTF-8 sequence at text[i], or 0 when it is not one.
size_t Utf8Length(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = byte(i);
  const size_t length = b < 0xC2 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and values past U+10FFFF.
  if ((b == 0xE0 && byte(i + 1) < 0xA0) || (b == 0xED && byte(i + 1) >= 0xA0) ||
      (b == 0xF0 && byte(i + 1) < 0x90) || (b == 0xF4 && byte(i + 1) >= 0x90))
    return 0;
  return length;
}
}  // namespace

// With keepLines the text is a whole message, whose quotes of input were made
// printable already: backslashes are left alone so nothing is escaped twice.
std::string Printable(std::string_view text, bool keepLines) {
  std::string out;
  out.reserve(text.size());
  const auto escape = [&](unsigned char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 15];
  };
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '\\' && !keepLines) {
        out += "\\\\";
      } else if ((c < 0x20 || c == 0x7F) && !(keepLines && (c == '\n' || c == '\t'))) {
        escape(c);
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    const size_t length = Utf8Length(text, i);
    // U+0080..U+009F, the C1 controls, are C2 80..C2 9F.
    if (length == 0 || (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
      escape(c);
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
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
