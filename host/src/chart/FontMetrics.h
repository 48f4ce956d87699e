// Widths of texts in the chart font (Liberation Sans, regular and bold), read from the font file
// through FreeType, so that labels are sized to what a browser draws. Without the font file the
// widths come from a built-in table of the same typeface's advance widths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class FontMetrics {
public:
  // The metrics every chart uses: loaded once, on first use; safe to call from several threads.
  static const FontMetrics& Instance();

  // The advance width in pixels of a UTF-8 text set at `size` pixels. Line feeds count as nothing;
  // callers measure one line at a time.
  double Width(std::string_view utf8, double size, bool bold = false) const;
  // The distance between the baselines of two lines at `size` pixels.
  static double LineHeight(double size) { return size * 1.2; }
  // True when the widths come from the font file rather than the built-in table.
  bool FromFontFile() const { return fFromFont; }

  // Breaks `utf8` into lines no wider than `maxWidth` at blanks (line feeds and the two-character
  // escape "\n" always break). A word wider than the width stays whole on a line of its own. At
  // most `maxLines` lines; the last one ends in an ellipsis when text was left over.
  std::vector<std::string> Wrap(std::string_view utf8, double size, bool bold, double maxWidth,
                                std::size_t maxLines) const;

  FontMetrics(const FontMetrics&) = delete;
  FontMetrics& operator=(const FontMetrics&) = delete;

private:
  FontMetrics();
  double Advance(char32_t code, bool bold) const; // in thousandths of the font size

  static constexpr char32_t kTableSize = 0x0250; // Latin, Latin-1 and Latin Extended A/B
  std::vector<float> fRegular;                   // kTableSize advances, thousandths of an em
  std::vector<float> fBold;
  float fRegularDefault = 556.f; // the advance of a character beyond the table
  float fBoldDefault = 611.f;
  bool fFromFont = false;
};

// Reads the code point at `pos` of a UTF-8 text and moves `pos` past it. Ill-formed bytes,
// overlong forms and surrogates give U+FFFD and move one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);
// Appends the UTF-8 form of `code`.
void AppendUtf8(std::string& out, char32_t code);
