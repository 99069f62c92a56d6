#include "picture_test_support.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"

namespace lumora::testing {

std::filesystem::path TestData() {
  return LUMORA_TESTDATA;
}

std::vector<ManifestEntry> ReadManifest(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<ManifestEntry> entries;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (header) {  // "file<TAB>expected<TAB>note"
      header = false;
      continue;
    }
    if (line.empty()) continue;
    std::istringstream fields(line);
    ManifestEntry entry;
    std::getline(fields, entry.file, '\t');
    std::getline(fields, entry.expected, '\t');
    std::getline(fields, entry.note);
    entries.push_back(entry);
  }
  return entries;
}

namespace {
// "WxH" at `at`, ending at `end`.
std::optional<std::pair<int32_t, int32_t>> SizeAt(const std::string& text, size_t at, size_t* end) {
  const auto digits = [&](size_t from) {
    size_t to = from;
    while (to < text.size() && std::isdigit(static_cast<unsigned char>(text[to]))) ++to;
    return to;
  };
  const size_t widthEnd = digits(at);
  if (widthEnd == at || widthEnd - at > 5 || widthEnd >= text.size() || text[widthEnd] != 'x') {
    return std::nullopt;
  }
  const size_t heightEnd = digits(widthEnd + 1);
  if (heightEnd == widthEnd + 1 || heightEnd - widthEnd > 6) return std::nullopt;
  *end = heightEnd;
  return std::make_pair(std::stoi(text.substr(at, widthEnd - at)),
                        std::stoi(text.substr(widthEnd + 1, heightEnd - widthEnd - 1)));
}
}  // namespace

std::optional<std::pair<int32_t, int32_t>> SizeInNote(const std::string& note) {
  for (size_t at = 0; at < note.size(); ++at) {
    if (at > 0 && note[at - 1] != ' ') continue;  // sizes start a word
    size_t end = 0;
    const auto size = SizeAt(note, at, &end);
    if (!size) continue;
    const bool afterSize = at >= 5 && note.compare(at - 5, 5, "size ") == 0;
    const bool beforePhoto = note.compare(end, 6, " photo") == 0;
    const bool wordEnds =
        end == note.size() || note[end] == ' ' || note[end] == ';' || note[end] == ',';
    if (wordEnds && (afterSize || beforePhoto)) return size;
  }
  return std::nullopt;
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
  return ReadFileBytes(path.string());
}

LoadOutcome TryLoad(const std::vector<uint8_t>& bytes) {
  LoadOutcome outcome;
  try {
    outcome.picture = LoadPicture(bytes);
  } catch (const Failure& failure) {
    outcome.error = failure.Number();
    outcome.message = failure.Description();
  }
  return outcome;
}

}  // namespace lumora::testing
