// The element tree of a chart document: what a specification parses into, what the ViZ* handles and
// XVariable edit, and what the drawing reads. Plain data; a node owns its children.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ViZNode {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes; // in document order, UTF-8
  std::string text; // character data of an element without child elements (a label's text)
  std::vector<std::unique_ptr<ViZNode>> children;
  ViZNode* parent = nullptr;
  // The width of the string variable of the dictionary that XVariable::setVORNVariable attached
  // (0: none, or a numeric one). Never read from a specification: it says how many bytes of an
  // observed value may be read, so a text must not be able to set it.
  int attachedStringWidth = 0;

  explicit ViZNode(std::string elementName) : name(std::move(elementName)) {}

  // Null when the attribute is not there.
  const std::string* Attribute(std::string_view attribute) const;
  // The attribute's value, or `fallback`.
  std::string AttributeOr(std::string_view attribute, std::string_view fallback) const;
  // Sets (or adds, at the end) an attribute.
  void SetAttribute(std::string_view attribute, std::string value);
  void RemoveAttribute(std::string_view attribute);

  // The first child of that name, or null.
  ViZNode* FirstChild(std::string_view childName) const;
  // Every child of that name, in order.
  std::vector<ViZNode*> Children(std::string_view childName) const;
  // A new last child.
  ViZNode& AddChild(std::string childName);
  // A new child before position `index` (clamped to the end).
  ViZNode& InsertChild(std::size_t index, std::string childName);

  // The root of the tree this node is in.
  ViZNode& Root();
  const ViZNode& Root() const;
  // The first node of the tree (this node and everything below it, depth first, document order)
  // whose id attribute is `id`, or null.
  ViZNode* FindById(std::string_view id);
  const ViZNode* FindById(std::string_view id) const;
};

// What the document model records from a specification beside its tree.
struct ParsedSpecification {
  std::unique_ptr<ViZNode> root;
  std::string templateName; // from the template store's processing instruction, or empty
};

// The target of the processing instruction that names the template a specification came from.
inline constexpr const char* kTemplateInstruction = "nptests-template";

// Parses a specification (docs/chart-grammar.md, "Reading a specification"). Throws ChartError with
// the line and column when it does not parse.
ParsedSpecification ParseSpecification(const std::string& text, std::size_t maxBytes, int maxDepth);

// A copy of the tree below `node` (attributes, texts, attached widths), its root without a parent.
std::unique_ptr<ViZNode> CopyTree(const ViZNode& node);

// The tree as XML text (UTF-8, two-space indentation, every text and attribute escaped).
std::string SerializeSpecification(const ViZNode& root);
