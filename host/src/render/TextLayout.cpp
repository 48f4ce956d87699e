// Greedy word wrapping by terminal columns and proportional column fitting for the text writer.
#include "render/TextLayout.h"

#include "render/RenderText.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<std::string_view> Words(std::string_view paragraph) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < paragraph.size()) {
    const size_t start = paragraph.find_first_not_of(' ', pos);
    if (start == std::string_view::npos)
      break;
    size_t end = paragraph.find(' ', start);
    if (end == std::string_view::npos)
      end = paragraph.size();
    words.push_back(paragraph.substr(start, end - start));
    pos = end;
  }
  return words;
}

// Cuts a word wider than `width` into pieces of at most `width` columns (a single code point wider
// than the line still makes a piece of its own, so the walk always advances).
std::vector<std::string> CutWord(std::string_view word, int width) {
  std::vector<std::string> pieces;
  int used = 0;
  size_t start = 0, pos = 0;
  while (pos < word.size()) {
    size_t length = 1;
    const int w = RenderText::CodePointWidth(word, pos, length);
    if (used + w > width && used > 0) {
      pieces.emplace_back(word.substr(start, pos - start));
      start = pos;
      used = 0;
    }
    used += w;
    pos += length;
  }
  pieces.emplace_back(word.substr(start));
  return pieces;
}

void WrapParagraph(std::string_view paragraph, int width, std::vector<std::string>& lines) {
  std::string line;
  int used = 0;
  auto flush = [&] {
    lines.push_back(line);
    line.clear();
    used = 0;
  };
  for (std::string_view word : Words(paragraph)) {
    const int w = RenderText::DisplayWidth(word);
    if (!line.empty() && used + 1 + w <= width) {
      line.push_back(' ');
      line.append(word);
      used += 1 + w;
      continue;
    }
    if (!line.empty())
      flush();
    if (w <= width) {
      line.assign(word);
      used = w;
      continue;
    }
    std::vector<std::string> pieces = CutWord(word, width);
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
      lines.push_back(pieces[i]);
    line = pieces.back();
    used = RenderText::DisplayWidth(line);
  }
  if (!line.empty())
    flush();
}

} // namespace

std::vector<std::string> TextLayout::Wrap(std::string_view text, int width) {
  width = std::max(width, 1);
  std::vector<std::string> lines;
  size_t pos = 0;
  for (;;) {
    const size_t end = text.find('\n', pos);
    const size_t before = lines.size();
    WrapParagraph(text.substr(pos, end == std::string_view::npos ? end : end - pos), width, lines);
    if (lines.size() == before)
      lines.emplace_back(); // an empty paragraph keeps its blank line
    if (end == std::string_view::npos)
      break;
    pos = end + 1;
  }
  return lines;
}

std::string TextLayout::Pad(std::string_view text, int width, Align align) {
  const int gap = width - RenderText::DisplayWidth(text);
  if (gap <= 0)
    return std::string(text);
  int left = 0;
  switch (align) {
  case Align::kLeft:
    left = 0;
    break;
  case Align::kRight:
    left = gap;
    break;
  case Align::kCenter:
    left = gap / 2;
    break;
  }
  return std::string(static_cast<size_t>(left), ' ') + std::string(text) +
         std::string(static_cast<size_t>(gap - left), ' ');
}

int TextLayout::LongestWord(std::string_view text) {
  int longest = 0;
  size_t pos = 0;
  for (;;) {
    const size_t end = text.find('\n', pos);
    for (std::string_view word :
         Words(text.substr(pos, end == std::string_view::npos ? end : end - pos)))
      longest = std::max(longest, RenderText::DisplayWidth(word));
    if (end == std::string_view::npos)
      return longest;
    pos = end + 1;
  }
}

std::vector<int> TextLayout::FitColumns(const std::vector<ColumnNeed>& needs, int available,
                                        int floor) {
  std::vector<int> widths;
  widths.reserve(needs.size());
  for (const ColumnNeed& need : needs)
    widths.push_back(std::max(need.natural, 1));
  if (std::accumulate(widths.begin(), widths.end(), 0) <= available)
    return widths;

  std::vector<int> lacking(needs.size());
  for (size_t i = 0; i < needs.size(); ++i) {
    widths[i] = std::max(1, std::min(needs[i].minimum, needs[i].natural));
    lacking[i] = std::max(needs[i].natural, 1) - widths[i];
  }
  int total = std::accumulate(widths.begin(), widths.end(), 0);

  // Minimums too wide: shave the widest column that may still shrink, one column at a time, which
  // keeps the cut fair; the text beside the numbers wraps, the numbers stay whole.
  while (total > available) {
    std::size_t widest = widths.size();
    for (std::size_t i = 0; i < widths.size(); ++i)
      if (widths[i] > std::max(floor, needs[i].number) &&
          (widest == widths.size() || widths[i] > widths[widest]))
        widest = i;
    if (widest == widths.size())
      return widths;
    --widths[widest];
    --total;
  }

  const int room = available - total;
  const long long wanted = std::accumulate(lacking.begin(), lacking.end(), 0LL);
  if (wanted <= 0 || room <= 0)
    return widths;
  int given = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    const int share = static_cast<int>(room * static_cast<long long>(lacking[i]) / wanted);
    widths[i] += share;
    lacking[i] -= share;
    given += share;
  }
  // Rounding leaves a few columns; hand them out left to right to columns that still lack room.
  for (size_t i = 0; given < room && i < widths.size(); ++i) {
    if (lacking[i] > 0) {
      ++widths[i];
      --lacking[i];
      ++given;
    }
  }
  return widths;
}
