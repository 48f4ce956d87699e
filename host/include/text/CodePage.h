// Conversions between the host's local code page and UTF-8, and a repair of broken UTF-8. The
// local code page is UTF-8, so a conversion checks that the text is valid UTF-8.
#pragma once

#include <cstddef>
#include <iconv.h>
#include <string>
#include <string_view>

// An iconv conversion descriptor, closed when the object goes away. Not copyable; movable.
class IconvConverter {
public:
  // Opens a conversion from the encoding `from` to the encoding `to` (iconv names: "UTF-8",
  // "ISO-8859-1", ...). IsOpen() is false when iconv does not know one of them.
  IconvConverter(const char* to, const char* from);
  ~IconvConverter();
  IconvConverter(IconvConverter&& other) noexcept;
  IconvConverter& operator=(IconvConverter&& other) noexcept;
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  bool IsOpen() const;
  // Converts the whole of `in`. Returns true and sets `out` on success; returns false and leaves
  // `out` untouched when the converter is not open or `in` holds an invalid or incomplete
  // sequence. Never throws apart from std::bad_alloc.
  bool Convert(const std::string& in, std::string& out);

private:
  iconv_t fHandle;
};

// Converts `in` from the local code page to UTF-8. Returns 0 and sets `out` on success; returns
// non-zero and leaves `out` untouched when `in` is not valid in the local code page.
int VORNMBGenericToU8(const std::string& in, std::string& out);
// Converts `in` from UTF-8 to the local code page, with the same results as VORNMBGenericToU8.
int VORNMBU8ToGeneric(const std::string& in, std::string& out);

// The code point whose UTF-8 sequence starts at text[pos] (pos < text.size()): true with
// `codePoint` and the sequence's `length` (1 to 4) when it is well-formed; false when it is not,
// with `length` the maximal ill-formed subpart there (at least 1), which one U+FFFD replaces.
// Overlong forms, encoded surrogates and code points above U+10FFFF are ill-formed.
bool DecodeUtf8(std::string_view text, std::size_t pos, char32_t& codePoint, std::size_t& length);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// Length of the well-formed UTF-8 sequence that starts at text[i] (1 to 4), or 0 when the bytes
// there are ill-formed or i is past the end.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// `text` with each ill-formed UTF-8 sequence replaced by U+FFFD (one replacement per maximal
// ill-formed subpart, as Unicode recommends). Well-formed text comes back unchanged. Every text
// from data passes through here before a writer writes it.
std::string SanitizeUtf8(std::string_view text);
