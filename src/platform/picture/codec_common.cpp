#include "platform/picture/codec_common.hpp"

#include <atomic>
#include <utility>

#include <new>

#include "platform/errors.hpp"

namespace lumora {

void FailDecode(PictureFormat format, const std::string& fault) {
  Fail(kErrInvalidPicture, std::string(FormatName(format)) + ": " + fault);
}

void CheckPictureSize(PictureFormat format, int64_t width, int64_t height) {
  const auto size = [&] { return std::to_string(width) + "x" + std::to_string(height); };
  if (width <= 0 || height <= 0) FailDecode(format, "bad size " + size());
  // Each side is checked first so that the product cannot overflow.
  if (width > kMaxPicturePixels || height > kMaxPicturePixels ||
      width * height > kMaxPicturePixels) {
    FailDecode(format, "too large (" + size() + " pixels)");
  }
}

namespace {
std::atomic<int64_t> g_DocumentBudget{DecodeBudget{}.document};
std::atomic<int64_t> g_ProcessBudget{DecodeBudget{}.process};
std::atomic<int64_t> g_LivePixels{0};  // of decoded pictures alive, process-wide
thread_local int t_DocumentDepth = 0;
thread_local int64_t t_DocumentPixels = 0;  // decoded in the outermost document scope
thread_local const PendingDecodeCharge* t_PendingCharge = nullptr;
thread_local int64_t t_PendingPixels = 0;

[[noreturn]] void FailBudget(PictureFormat format, int64_t width, int64_t height, const char* whose,
                             int64_t budget) {
  Fail(kErrOutOfMemory, std::string(FormatName(format)) + ": " + std::to_string(width) + "x" +
                            std::to_string(height) + " pixels would pass the decoding budget of " +
                            whose + " (" + std::to_string(budget) + " pixels)");
}

// Counts a picture about to be decoded against both budgets.
void Charge(PictureFormat format, int64_t width, int64_t height) {
  const int64_t pixels = width * height;
  if (t_DocumentDepth > 0) {
    const int64_t budget = g_DocumentBudget.load();
    if (t_DocumentPixels + pixels > budget) FailBudget(format, width, height, "a document", budget);
    t_DocumentPixels += pixels;
  }
  if (!t_PendingCharge) return;  // a decoder called on its own makes no picture
  const int64_t budget = g_ProcessBudget.load();
  if (g_LivePixels.fetch_add(pixels) + pixels > budget) {
    g_LivePixels.fetch_sub(pixels);
    FailBudget(format, width, height, "the process", budget);
  }
  t_PendingPixels += pixels;
}
}  // namespace

DecodeBudget GetDecodeBudget() {
  return {g_DocumentBudget.load(), g_ProcessBudget.load()};
}

void SetDecodeBudget(const DecodeBudget& budget) {
  g_DocumentBudget = budget.document;
  g_ProcessBudget = budget.process;
}

DocumentDecodeScope::DocumentDecodeScope() : m_Outer(t_DocumentDepth++ == 0) {
  if (m_Outer) t_DocumentPixels = 0;
}

DocumentDecodeScope::~DocumentDecodeScope() {
  --t_DocumentDepth;
}

DecodeCharge::~DecodeCharge() {
  if (m_Pixels) g_LivePixels.fetch_sub(m_Pixels);
}

PendingDecodeCharge::PendingDecodeCharge()
    : m_Outer(t_PendingCharge), m_OuterPixels(t_PendingPixels) {
  t_PendingCharge = this;
  t_PendingPixels = 0;
}

PendingDecodeCharge::~PendingDecodeCharge() {
  if (t_PendingPixels) g_LivePixels.fetch_sub(t_PendingPixels);  // not taken: decoding failed
  t_PendingCharge = m_Outer;
  t_PendingPixels = m_OuterPixels;
}

DecodeCharge PendingDecodeCharge::Take() {
  return DecodeCharge(std::exchange(t_PendingPixels, 0));
}

Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height) {
  CheckPictureSize(format, width, height);
  Charge(format, width, height);
  try {
    return Raster::Uninitialized(static_cast<int32_t>(width), static_cast<int32_t>(height));
  } catch (const std::bad_alloc&) {
    Fail(kErrOutOfMemory);
  }
}

Raster NewPictureRaster(PictureFormat format, int64_t width, int64_t height, Argb fill) {
  Raster r = NewPictureRaster(format, width, height);
  r.Fill(fill);
  return r;
}

void PremultiplyPixels(std::span<uint32_t> pixels) {
  for (uint32_t& p : pixels) {
    if (p < 0xFF000000u) p = Premultiply(p);
  }
}

}  // namespace lumora
