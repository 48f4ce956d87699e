// The chart document's element tree: look-ups, parsing from a specification, and writing it back.
#include "ViZNode.h"

#include "chart/ChartError.h"
#include "xml/XMLEventReader.h"

#include <algorithm>
#include <cstring>

const std::string* ViZNode::Attribute(std::string_view attribute) const {
  for (const auto& [key, value] : attributes)
    if (key == attribute)
      return &value;
  return nullptr;
}

std::string ViZNode::AttributeOr(std::string_view attribute, std::string_view fallback) const {
  const std::string* value = Attribute(attribute);
  return value != nullptr ? *value : std::string(fallback);
}

void ViZNode::SetAttribute(std::string_view attribute, std::string value) {
  for (auto& [key, old] : attributes) {
    if (key == attribute) {
      old = std::move(value);
      return;
    }
  }
  attributes.emplace_back(std::string(attribute), std::move(value));
}

void ViZNode::RemoveAttribute(std::string_view attribute) {
  attributes.erase(std::remove_if(attributes.begin(), attributes.end(),
                                  [&](const auto& pair) { return pair.first == attribute; }),
                   attributes.end());
}

ViZNode* ViZNode::FirstChild(std::string_view childName) const {
  for (const auto& child : children)
    if (child->name == childName)
      return child.get();
  return nullptr;
}

std::vector<ViZNode*> ViZNode::Children(std::string_view childName) const {
  std::vector<ViZNode*> found;
  for (const auto& child : children)
    if (child->name == childName)
      found.push_back(child.get());
  return found;
}

ViZNode& ViZNode::AddChild(std::string childName) {
  return InsertChild(children.size(), std::move(childName));
}

ViZNode& ViZNode::InsertChild(std::size_t index, std::string childName) {
  auto child = std::make_unique<ViZNode>(std::move(childName));
  child->parent = this;
  ViZNode& added = *child;
  children.insert(children.begin() + static_cast<std::ptrdiff_t>(std::min(index, children.size())),
                  std::move(child));
  return added;
}

ViZNode& ViZNode::Root() {
  ViZNode* node = this;
  while (node->parent != nullptr)
    node = node->parent;
  return *node;
}

const ViZNode& ViZNode::Root() const {
  return const_cast<ViZNode*>(this)->Root();
}

ViZNode* ViZNode::FindById(std::string_view id) {
  // Iterative, so that no tree depth can exhaust the stack.
  std::vector<ViZNode*> pending{this};
  while (!pending.empty()) {
    ViZNode* node = pending.back();
    pending.pop_back();
    const std::string* own = node->Attribute("id");
    if (own != nullptr && *own == id)
      return node;
    for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
      pending.push_back(child->get());
  }
  return nullptr;
}

const ViZNode* ViZNode::FindById(std::string_view id) const {
  return const_cast<ViZNode*>(this)->FindById(id);
}

namespace {

// XML turns line breaks and tabs written inside an attribute into blanks; views build multi-line
// tooltip templates by writing line feeds there. Writing those characters as references first
// keeps them. Only quoted text inside start tags changes; comments, CDATA sections, processing
// instructions and end tags are copied as they are. Markup that is not well-formed is copied too,
// for the parser to refuse.
//
// `edits` receives, for each character replaced, its offset in `text` and in the result, so that
// a parser's position in the result can be told in the text the caller wrote.
struct BreakEdit {
  std::size_t in;
  std::size_t out;
  std::size_t inLength;
  std::size_t outLength;
};

std::string KeepBreaksInAttributes(const std::string& text, std::vector<BreakEdit>& edits) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  auto copyThrough = [&](const char* close) {
    const std::size_t end = text.find(close, i);
    const std::size_t stop = end == std::string::npos ? text.size() : end + std::strlen(close);
    out.append(text, i, stop - i);
    i = stop;
  };
  while (i < text.size()) {
    if (text[i] != '<') {
      out += text[i++];
      continue;
    }
    if (text.compare(i, 4, "<!--") == 0) {
      copyThrough("-->");
    } else if (text.compare(i, 9, "<![CDATA[") == 0) {
      copyThrough("]]>");
    } else if (text.compare(i, 2, "<?") == 0) {
      copyThrough("?>");
    } else if (text.compare(i, 2, "<!") == 0 || text.compare(i, 2, "</") == 0) {
      copyThrough(">");
    } else {
      char quote = 0;
      for (; i < text.size(); ++i) {
        const char c = text[i];
        if (quote == 0 && c == '>') {
          out += c;
          ++i;
          break;
        }
        if (quote == 0 && (c == '"' || c == '\'')) {
          quote = c;
        } else if (quote != 0 && c == quote) {
          quote = 0;
        } else if (quote != 0 && (c == '\n' || c == '\r' || c == '\t')) {
          const std::size_t start = i;
          if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i; // CR LF is one line end
          const char* reference = c == '\t' ? "&#9;" : "&#10;";
          edits.push_back({start, out.size(), i + 1 - start, std::strlen(reference)});
          out += reference;
          continue;
        }
        out += c;
      }
    }
  }
  return out;
}

// The offset of a 1-based line and column (counted in characters) in UTF-8 text, or npos.
std::size_t OffsetOf(const std::string& text, unsigned long line, unsigned long column) {
  std::size_t at = 0;
  for (unsigned long l = 1; l < line; ++l) {
    at = text.find('\n', at);
    if (at == std::string::npos)
      return at;
    ++at;
  }
  for (unsigned long c = 1; c < column && at < text.size(); ++c) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
      ++at;
  }
  return at;
}

// The parser's position, which is in the text with the breaks replaced, moved back into the text
// as written.
void MoveToWrittenText(SDOMXMLError& error, const std::string& written, const std::string& parsed,
                       const std::vector<BreakEdit>& edits) {
  if (edits.empty() || error.line == 0)
    return;
  std::size_t at = OffsetOf(parsed, error.line, error.column);
  if (at == std::string::npos)
    return;
  std::size_t shift = 0; // how far the parsed text runs ahead of the written one here
  for (const BreakEdit& edit : edits) {
    if (edit.out >= at)
      break;
    at = std::max(at, edit.out + edit.outLength); // a position inside a reference: its end
    shift += edit.outLength - edit.inLength;
  }
  at -= shift;
  unsigned long line = 1;
  unsigned long column = 1;
  for (std::size_t i = 0; i < at && i < written.size(); ++i) {
    if (written[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(written[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  error.line = line;
  error.column = column;
}

class TreeBuilder : public XMLEventHandler {
public:
  void StartElement(std::string_view name, const Attributes& attributes) override {
    ViZNode* node;
    if (fCurrent == nullptr) {
      fResult.root = std::make_unique<ViZNode>(std::string(name));
      node = fResult.root.get();
    } else {
      node = &fCurrent->AddChild(std::string(name));
    }
    node->attributes = attributes;
    fCurrent = node;
  }
  void EndElement(std::string_view) override { fCurrent = fCurrent->parent; }
  void Characters(std::string_view text) override {
    if (fCurrent != nullptr)
      fCurrent->text.append(text);
  }
  void ProcessingInstruction(std::string_view target, std::string_view data) override {
    if (target == kTemplateInstruction && fResult.templateName.empty())
      fResult.templateName = std::string(data);
  }

  ParsedSpecification Take() { return std::move(fResult); }

private:
  ParsedSpecification fResult;
  ViZNode* fCurrent = nullptr;
};

void AppendEscaped(std::string& out, const std::string& text, bool attribute) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += attribute ? "&quot;" : "\"";
      break;
    case '\n':
      out += attribute ? "&#10;" : "\n";
      break;
    case '\t':
      out += attribute ? "&#9;" : "\t";
      break;
    case '\r':
      out += "&#13;";
      break;
    default:
      // Other control characters cannot be written in XML 1.0 at all.
      if (byte >= 0x20)
        out += c;
      break;
    }
  }
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

void Write(std::string& out, const ViZNode& node, int depth) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += '<';
  out += node.name;
  for (const auto& [key, value] : node.attributes) {
    out += ' ';
    out += key;
    out += "=\"";
    AppendEscaped(out, value, true);
    out += '"';
  }
  const bool hasText = !node.text.empty() && (node.children.empty() || !IsBlank(node.text));
  if (node.children.empty() && !hasText) {
    out += "/>\n";
    return;
  }
  out += '>';
  if (hasText)
    AppendEscaped(out, node.text, false);
  if (!node.children.empty()) {
    out += '\n';
    for (const auto& child : node.children)
      Write(out, *child, depth + 1);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
  }
  out += "</";
  out += node.name;
  out += ">\n";
}

} // namespace

std::unique_ptr<ViZNode> CopyTree(const ViZNode& node) {
  auto copy = std::make_unique<ViZNode>(node.name);
  // Iterative, so that no tree depth can exhaust the stack: pairs of (original, its copy).
  std::vector<std::pair<const ViZNode*, ViZNode*>> pending{{&node, copy.get()}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    to->attributes = from->attributes;
    to->text = from->text;
    to->attachedStringWidth = from->attachedStringWidth;
    to->children.reserve(from->children.size());
    for (const auto& child : from->children)
      pending.emplace_back(child.get(), &to->AddChild(child->name));
  }
  return copy;
}

ParsedSpecification ParseSpecification(const std::string& text, std::size_t maxBytes,
                                       int maxDepth) {
  if (text.size() > maxBytes)
    throw ChartError("the chart specification has " + std::to_string(text.size()) +
                     " bytes, more than the limit of " + std::to_string(maxBytes));
  TreeBuilder builder;
  SDOMXMLError error;
  std::vector<BreakEdit> edits;
  const std::string kept = KeepBreaksInAttributes(text, edits);
  if (!ReadXMLEvents(kept, builder, error, maxBytes, maxDepth)) {
    MoveToWrittenText(error, text, kept, edits);
    throw ChartError("the chart specification is not valid XML: " + error.ToString());
  }
  ParsedSpecification parsed = builder.Take();
  if (!parsed.root)
    throw ChartError("the chart specification has no root element");
  return parsed;
}

std::string SerializeSpecification(const ViZNode& root) {
  // Iterating would need an explicit stack of positions; the tree's depth is capped by the parser
  // (and the model only adds a few levels), so recursion stays shallow.
  std::string out;
  Write(out, root, 0);
  return out;
}
