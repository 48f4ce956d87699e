// The composite format language of cell texts.
#include "CompositeFormat.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a placeholder number at `pos` (digits, capped so a long run cannot overflow).
bool ReadNumber(const std::string& text, std::size_t& pos, std::size_t& number) {
  std::size_t start = pos;
  number = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    number =
        std::min<std::size_t>(number * 10 + static_cast<std::size_t>(text[pos] - '0'), 1000000);
    ++pos;
  }
  return pos > start;
}

const std::string& ShownText(const output::Label& label, std::string& scratch) {
  if (label.Kind() == output::LabelKind::kList) {
    scratch = JoinList(label.Items());
    return scratch;
  }
  return label.Text();
}

// Replaces marker+number by the texts of `values` (1-based).
std::string Substitute(const std::string& text, char marker,
                       const std::vector<const output::Label*>& values) {
  std::string out;
  std::string scratch;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t numberPos = pos + 1;
    std::size_t number = 0;
    if (text[pos] == marker && ReadNumber(text, numberPos, number) && number >= 1 &&
        number <= values.size()) {
      out += values[number - 1] ? ShownText(*values[number - 1], scratch) : std::string();
      pos = numberPos;
      continue;
    }
    out += text[pos++];
  }
  return out;
}

std::size_t LargestPlaceholder(const std::string& text, char marker) {
  std::size_t largest = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    std::size_t numberPos = pos + 1;
    std::size_t number = 0;
    if (text[pos] == marker && ReadNumber(text, numberPos, number)) {
      largest = std::max(largest, number);
    }
  }
  return largest;
}

std::vector<std::string> SplitParts(const std::string& body) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (parts.size() < 2) {
    std::size_t colon = body.find(':', start);
    if (colon == std::string::npos) {
      break;
    }
    parts.push_back(body.substr(start, colon - start));
    start = colon + 1;
  }
  parts.push_back(body.substr(start));
  return parts;
}

std::string ExpandGroups(const std::string& body, const output::Label& item) {
  std::vector<std::string> parts = SplitParts(body);
  const std::string& first = parts[0];
  const std::string& rest = parts.size() > 1 ? parts[1] : first;
  const std::string end = parts.size() > 2 ? parts[2] : std::string();
  std::vector<const output::Label*> members;
  if (item.Kind() == output::LabelKind::kList) {
    for (const output::Label& member : item.Items()) {
      members.push_back(&member);
    }
  } else {
    members.push_back(&item);
  }
  if (members.empty()) {
    return std::string();
  }
  std::size_t size = std::max<std::size_t>(
      {LargestPlaceholder(first, '%'), LargestPlaceholder(rest, '^'), std::size_t{1}});
  std::string out;
  for (std::size_t start = 0; start < members.size(); start += size) {
    std::vector<const output::Label*> group(size, nullptr);
    for (std::size_t i = 0; i < size && start + i < members.size(); ++i) {
      group[i] = members[start + i];
    }
    out += start == 0 ? Substitute(first, '%', group) : Substitute(rest, '^', group);
  }
  return out + end;
}

// Tries "[BODY]n" at `pos`; on success appends its expansion and moves `pos` past it.
bool ExpandBracket(const std::string& format, std::size_t& pos,
                   const std::vector<output::Label>& items, std::string& out) {
  std::size_t close = format.find(']', pos + 1);
  while (close != std::string::npos) {
    std::size_t numberPos = close + 1;
    std::size_t number = 0;
    if (ReadNumber(format, numberPos, number)) {
      if (number < 1 || number > items.size()) {
        return false;
      }
      out += ExpandGroups(format.substr(pos + 1, close - pos - 1), items[number - 1]);
      pos = numberPos;
      return true;
    }
    close = format.find(']', close + 1);
  }
  return false;
}

} // namespace

std::string JoinList(const std::vector<output::Label>& items) {
  std::string out;
  std::string scratch;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      out += ", ";
    }
    out += ShownText(items[i], scratch);
  }
  return out;
}

namespace {

struct Marker {
  const char* text;
  output::TextStyle style; // the style it opens; kPlain for a closing marker
};

// The markers of styled runs. A closing marker returns to plain text whichever style was open;
// styles do not nest.
constexpr Marker kMarkers[] = {
    {"{i}", output::TextStyle::kItalic},        {"{/i}", output::TextStyle::kPlain},
    {"{sub}", output::TextStyle::kSubscript},   {"{/sub}", output::TextStyle::kPlain},
    {"{sup}", output::TextStyle::kSuperscript}, {"{/sup}", output::TextStyle::kPlain},
};

// Reads a marker at `pos`; on success sets `style` and moves `pos` past it.
bool ReadMarker(const std::string& format, std::size_t& pos, output::TextStyle& style) {
  for (const Marker& marker : kMarkers) {
    const std::string_view text(marker.text);
    if (format.compare(pos, text.size(), text) == 0) {
      style = marker.style;
      pos += text.size();
      return true;
    }
  }
  return false;
}

// Collects runs, joining neighbours of one style.
class RunBuilder {
public:
  void Append(const std::string& text, output::TextStyle style) {
    if (text.empty())
      return;
    fText += text;
    if (!fRuns.empty() && fRuns.back().style == style)
      fRuns.back().text += text;
    else
      fRuns.push_back({text, style});
  }
  std::string fText;
  std::vector<output::TextRun> fRuns;
};

} // namespace

RichText ExpandRichComposite(const std::string& format, const std::vector<output::Label>& items) {
  RunBuilder runs;
  output::TextStyle style = output::TextStyle::kPlain;
  std::string scratch;
  std::string pending;
  bool styled = false;
  const auto flush = [&] {
    runs.Append(pending, style);
    pending.clear();
  };
  for (std::size_t pos = 0; pos < format.size();) {
    output::TextStyle next = style;
    if (format[pos] == '{' && ReadMarker(format, pos, next)) {
      flush();
      style = next;
      styled = true;
      continue;
    }
    if (format[pos] == '[' && ExpandBracket(format, pos, items, pending)) {
      continue;
    }
    std::size_t numberPos = pos + 1;
    std::size_t number = 0;
    if (format[pos] == '^' && ReadNumber(format, numberPos, number) && number >= 1 &&
        number <= items.size()) {
      const output::Label& item = items[number - 1];
      if (item.Runs().empty() || style != output::TextStyle::kPlain) {
        pending += ShownText(item, scratch);
      } else {
        // An item with runs of its own keeps them inside plain text.
        flush();
        for (const output::TextRun& run : item.Runs())
          runs.Append(run.text, run.style);
        styled = true;
      }
      pos = numberPos;
      continue;
    }
    pending += format[pos++];
  }
  flush();
  RichText out;
  out.text = std::move(runs.fText);
  if (styled)
    out.runs = std::move(runs.fRuns);
  return out;
}

std::string ExpandComposite(const std::string& format, const std::vector<output::Label>& items) {
  return ExpandRichComposite(format, items).text;
}
