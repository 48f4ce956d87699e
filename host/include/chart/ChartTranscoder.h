// A converter from a named code page into chart texts (iconv).
#pragma once

#include "chart/ChartString.h"

#include <memory>
#include <string>

class ChartTranscoder {
public:
  // `codePage` is an iconv encoding name ("CP1252", "ISO-8859-1", "UTF-8"). Throws ChartError
  // when iconv does not know it.
  explicit ChartTranscoder(const std::string& codePage);
  ~ChartTranscoder();
  ChartTranscoder(const ChartTranscoder&) = delete;
  ChartTranscoder& operator=(const ChartTranscoder&) = delete;

  // The bytes of `text` read in the code page. A byte sequence the code page does not define
  // becomes U+FFFD, one per byte, and the conversion goes on.
  ChartString transcode(const std::string& text) const;

private:
  struct Converter;
  std::unique_ptr<Converter> fConverter;
};
