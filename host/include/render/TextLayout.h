// Line wrapping, padding and column fitting for fixed-width terminal output. Widths are terminal
// columns as RenderText::DisplayWidth counts them; texts are expected to have passed
// RenderText::ForTerminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TextLayout {
public:
  enum class Align { kLeft, kRight, kCenter };

  // What a column would like (`natural`: its widest line unwrapped) and what it can live with
  // (`minimum`: its longest word, so that words need not be broken). `number` is its widest
  // number, which is never cut: a number broken over two lines reads as two numbers.
  struct ColumnNeed {
    int natural = 0;
    int minimum = 0;
    int number = 0;
  };

  // Breaks `text` into lines of at most `width` columns (width below 1 counts as 1): at line feeds,
  // then at blanks; a word wider than the line is cut between code points. Always at least one
  // line; blanks at the break points are dropped.
  static std::vector<std::string> Wrap(std::string_view text, int width);

  // `text` padded with blanks to `width` columns; text already as wide or wider comes back as is.
  static std::string Pad(std::string_view text, int width, Align align);

  // Widest run of non-blank characters (the width below which Wrap must cut a word).
  static int LongestWord(std::string_view text);

  // Widths for the columns so that their sum stays within `available` where possible: natural
  // widths when they fit; otherwise every column gets its minimum (but at most its natural width)
  // and the room left is shared in proportion to what each column still lacks. When even the
  // minimums do not fit, the widest minimums are cut (never below `floor`, nor below a column's
  // widest number) until they fit or cannot shrink further, so the result may exceed `available`.
  // Every width is at least 1.
  static std::vector<int> FitColumns(const std::vector<ColumnNeed>& needs, int available,
                                     int floor = 6);
};
