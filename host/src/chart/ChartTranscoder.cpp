// Texts of a named code page into chart texts through iconv, going on past bytes the code page
// does not define.
#include "chart/ChartTranscoder.h"

#include "chart/ChartError.h"

#include <cerrno>
#include <iconv.h>

struct ChartTranscoder::Converter {
  iconv_t handle;
};

ChartTranscoder::ChartTranscoder(const std::string& codePage) {
  const iconv_t handle = iconv_open("UTF-8", codePage.c_str());
  if (handle == reinterpret_cast<iconv_t>(-1))
    throw ChartError("the code page \"" + codePage + "\" is not known");
  fConverter = std::make_unique<Converter>(Converter{handle});
}

ChartTranscoder::~ChartTranscoder() {
  iconv_close(fConverter->handle);
}

ChartString ChartTranscoder::transcode(const std::string& text) const {
  static const char kReplacement[] = "\xEF\xBF\xBD";
  iconv_t handle = fConverter->handle;
  iconv(handle, nullptr, nullptr, nullptr, nullptr); // a fresh shift state per text
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  while (inLeft > 0) {
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(handle, &in, &inLeft, &to, &toLeft);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (result != static_cast<std::size_t>(-1))
      continue;
    if (errno == E2BIG)
      continue; // the buffer is full; what fitted is kept, the rest follows
    // EILSEQ (a byte the code page does not define) or EINVAL (a sequence cut off at the end):
    // one replacement for the byte, and on with the next.
    out += kReplacement;
    ++in;
    --inLeft;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
  }
  char* to = buffer;
  std::size_t toLeft = sizeof buffer;
  iconv(handle, nullptr, nullptr, &to, &toLeft); // a stateful code page may end with a reset
  out.append(buffer, static_cast<std::size_t>(to - buffer));
  return ChartString(out.c_str());
}
