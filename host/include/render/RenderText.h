// Text hygiene shared by the output writers: every text that comes from data passes through here
// before it reaches a terminal or an HTML page (its ill-formed UTF-8 repaired as SanitizeUtf8 of
// text/CodePage.h repairs it, which the JSON writer uses on its own).
#pragma once

#include <string>
#include <string_view>

class RenderText {
public:
  // Valid UTF-8 without control characters, for a terminal: tab, line feed and carriage return
  // become blanks unless `keepLineFeeds` (then a line feed stays, a carriage return is dropped);
  // every other C0, DEL and C1 control and every bidirectional control (U+202A..U+202E,
  // U+2066..U+2069, U+200E, U+200F, U+061C) becomes U+FFFD, so an escape sequence or a direction
  // override in data can never drive the terminal or reorder what it shows.
  static std::string ForTerminal(std::string_view text, bool keepLineFeeds);

  // Valid UTF-8 with & < > " ' written as character references, safe in element content and in
  // quoted attribute values of HTML and SVG. Tab, line feed and carriage return become blanks;
  // every other control character and every bidirectional control becomes U+FFFD, as on a
  // terminal.
  static std::string ForHtml(std::string_view text);

  // The inside of a JSON string (without its quotes): valid UTF-8 with " and \ escaped, and every
  // control character (C0, DEL, C1) and bidirectional control written as a \u escape (\b, \f,
  // \n, \r, \t for those that have one), so that the value is exact and nothing hidden reaches
  // whoever shows it.
  static std::string ForJson(std::string_view text);

  // Columns that the text takes on a terminal: 0 for combining marks and zero-width characters,
  // 2 for East Asian wide and full-width characters, 1 otherwise. Expects valid UTF-8 without
  // controls (what ForTerminal returns); other bytes count one column each.
  static int DisplayWidth(std::string_view text);

  // Columns of the one code point that starts at `text[pos]`; sets `length` to its byte count.
  static int CodePointWidth(std::string_view text, size_t pos, size_t& length);

  // The code point of the well-formed UTF-8 sequence at `text[pos]` in `cp`, its byte count in
  // `length`; false (and `length` the ill-formed part, at least 1) for anything else: a stray or
  // cut-off byte, an overlong form, a surrogate.
  static bool Decode(std::string_view text, size_t pos, char32_t& cp, size_t& length);
  // True for a letter beyond ASCII of the common scripts: Latin, Greek, Cyrillic, Armenian,
  // Hebrew, Arabic, Devanagari, Thai, Georgian, kana, CJK ideographs and Hangul. Marks, digits of
  // other scripts, punctuation, symbols, spaces, and format and control characters are not.
  static bool IsLetter(char32_t cp);
};
