// Code-page conversions through glibc's iconv, and the UTF-8 repair the writers apply to every
// text from data before they write it.
#include "text/CodePage.h"

#include <cerrno>
#include <utility>

namespace {

constexpr const char* kLocalCodePage = "UTF-8";
const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

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

bool DecodeUtf8(std::string_view text, std::size_t pos, char32_t& codePoint, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  length = 1;
  if (lead < 0x80) {
    codePoint = lead;
    return true;
  }
  std::size_t need = 0;
  unsigned char low = 0x80; // the range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    codePoint = lead & 0x0F;
    // E0 would be overlong below A0; ED A0..BF would encode surrogates.
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    codePoint = lead & 0x07;
    // F0 would be overlong below 90; F4 90 and above lies beyond U+10FFFF.
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return false;
  }
  for (std::size_t k = 1; k <= need; ++k) {
    if (pos + k >= text.size())
      return false;
    const unsigned char c = static_cast<unsigned char>(text[pos + k]);
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
      return false;
    codePoint = (codePoint << 6) | (c & 0x3F);
    length = k + 1;
  }
  return true;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  char32_t codePoint = 0;
  std::size_t length = 0;
  return i < text.size() && DecodeUtf8(text, i, codePoint, length) ? length : 0;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0)
      return false;
    i += length;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view text) {
  static constexpr const char kReplacement[] = "\xEF\xBF\xBD";
  std::string result;
  // Well-formed text, nearly all of it, is copied in one piece.
  std::size_t copied = 0;
  for (std::size_t i = 0; i < text.size();) {
    char32_t codePoint = 0;
    std::size_t length = 0;
    if (DecodeUtf8(text, i, codePoint, length)) {
      i += length;
      continue;
    }
    if (result.empty())
      result.reserve(text.size() + 8);
    result.append(text, copied, i - copied);
    result += kReplacement;
    i += length;
    copied = i;
  }
  if (copied == 0)
    return std::string(text);
  result.append(text, copied, std::string_view::npos);
  return result;
}
