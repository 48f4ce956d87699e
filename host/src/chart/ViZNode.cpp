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
std::string KeepBreaksInAttributes(const std::string& text) {
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
          if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i; // CR LF is one line end
          out += c == '\t' ? "&#9;" : "&#10;";
          continue;
        }
        out += c;
      }
    }
  }
  return out;
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

ParsedSpecification ParseSpecification(const std::string& text, std::size_t maxBytes,
                                       int maxDepth) {
  if (text.size() > maxBytes)
    throw ChartError("the chart specification has " + std::to_string(text.size()) +
                     " bytes, more than the limit of " + std::to_string(maxBytes));
  TreeBuilder builder;
  SDOMXMLError error;
  if (!ReadXMLEvents(KeepBreaksInAttributes(text), builder, error, maxBytes, maxDepth))
    throw ChartError("the chart specification is not valid XML: " + error.ToString());
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
