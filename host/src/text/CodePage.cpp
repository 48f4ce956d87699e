// Code-page conversions through glibc's iconv, and the UTF-8 repair the writers apply to every
// text from data before they write it.
#include "text/CodePage.h"

#include <cerrno>
#include <utility>

namespace {

constexpr const char* kLocalCodePage = "UTF-8";
const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

// Length of the well-formed sequence at text[i], or 0 when it is ill-formed; `subpart` is then
// the length of its maximal ill-formed subpart (at least 1), which one U+FFFD replaces.
std::size_t SequenceLength(const std::string& text, std::size_t i, std::size_t& subpart) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  subpart = 1;
  if (lead < 0x80)
    return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    // E0 would be overlong below A0; ED A0..BF would encode surrogates.
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    // F0 would be overlong below 90; F4 90 and above lies beyond U+10FFFF.
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= text.size())
      return 0;
    const unsigned char c = static_cast<unsigned char>(text[i + k]);
    const unsigned char lo = k == 1 ? low : 0x80;
    const unsigned char hi = k == 1 ? high : 0xBF;
    if (c < lo || c > hi)
      return 0;
    subpart = k + 1;
  }
  return length;
}

// glibc's UTF-8 decoder still takes the old five- and six-byte range beyond U+10FFFF, so the
// UTF-8 side of a conversion is checked once more against the current definition.
int ConvertStrictly(const char* to, const char* from, const std::string& in, std::string& out) {
  IconvConverter converter(to, from);
  std::string converted;
  if (!converter.Convert(in, converted))
    return 1;
  const std::string& utf8Side = std::string(to) == "UTF-8" ? converted : in;
  if (!IsValidUtf8(utf8Side))
    return 1;
  out = std::move(converted);
  return 0;
}

} // namespace

IconvConverter::IconvConverter(const char* to, const char* from) : fHandle(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
  if (IsOpen())
    iconv_close(fHandle);
}

IconvConverter::IconvConverter(IconvConverter&& other) noexcept
    : fHandle(std::exchange(other.fHandle, kClosed)) {}

IconvConverter& IconvConverter::operator=(IconvConverter&& other) noexcept {
  if (this != &other) {
    if (IsOpen())
      iconv_close(fHandle);
    fHandle = std::exchange(other.fHandle, kClosed);
  }
  return *this;
}

bool IconvConverter::IsOpen() const {
  return fHandle != kClosed;
}

bool IconvConverter::Convert(const std::string& in, std::string& out) {
  if (!IsOpen())
    return false;
  // Start from the initial shift state whatever an earlier failed call left behind.
  iconv(fHandle, nullptr, nullptr, nullptr, nullptr);
  std::string result(in.size() + 16, '\0');
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  std::size_t written = 0;
  bool flushed = false;
  while (!flushed) {
    char* outPtr = &result[written];
    std::size_t outLeft = result.size() - written;
    // Once the input is used up, a null input pointer makes iconv write its closing shift state.
    const bool flushing = inLeft == 0;
    std::size_t rc = flushing ? iconv(fHandle, nullptr, nullptr, &outPtr, &outLeft)
                              : iconv(fHandle, &inPtr, &inLeft, &outPtr, &outLeft);
    written = result.size() - outLeft;
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG)
        return false; // EILSEQ: an invalid sequence; EINVAL: an incomplete one at the end.
      result.resize(result.size() * 2);
      continue;
    }
    flushed = flushing;
  }
  result.resize(written);
  out = std::move(result);
  return true;
}

int VORNMBGenericToU8(const std::string& in, std::string& out) {
  return ConvertStrictly("UTF-8", kLocalCodePage, in, out);
}

int VORNMBU8ToGeneric(const std::string& in, std::string& out) {
  return ConvertStrictly(kLocalCodePage, "UTF-8", in, out);
}

std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
  std::size_t subpart = 0;
  return i < text.size() ? SequenceLength(text, i, subpart) : 0;
}

bool IsValidUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t subpart = 0;
    std::size_t length = SequenceLength(text, i, subpart);
    if (length == 0)
      return false;
    i += length;
  }
  return true;
}

std::string SanitizeUtf8(const std::string& text) {
  static constexpr const char kReplacement[] = "\xEF\xBF\xBD";
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t subpart = 0;
    std::size_t length = SequenceLength(text, i, subpart);
    if (length == 0) {
      result += kReplacement;
      i += subpart;
    } else {
      result.append(text, i, length);
      i += length;
    }
  }
  return result;
}
