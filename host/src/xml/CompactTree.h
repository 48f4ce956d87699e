// A loaded document as flat arrays built from the parser's events: elements, attributes and texts
// in a few large blocks instead of one heap object per node, so loading costs little more than
// the parse itself and the tree is a small multiple of the text's size.
#pragma once

#include "xml/SDOMXMLError.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xmlwrap {

using NodeIndex = std::uint32_t;
using NameId = std::uint32_t;

constexpr NodeIndex kNoNode = UINT32_MAX;
// Stands for a name no element or attribute of the document has, so look-ups of it match nothing.
constexpr NameId kUnknownName = UINT32_MAX;

class CompactTree {
public:
  struct Element {
    NameId name;
    NodeIndex firstChild = kNoNode;
    NodeIndex nextSibling = kNoNode;
    std::uint32_t firstAttribute; // index into the attribute block
    std::uint32_t attributeCount;
    std::uint32_t textBegin = 0; // the element's own text, in the text block
    std::uint32_t textLength = 0;
  };

  // Parses `text` with the hardened settings of the service (no DOCTYPE, the nesting cap, the size
  // cap, UTF-8 checked up front). On failure returns false with `error` set and the tree empty.
  // Never throws.
  bool Load(const std::string& text, SDOMXMLError& error, std::size_t maxBytes, int maxDepth);

  std::size_t Size() const { return fElements.size(); }
  NodeIndex Root() const { return fElements.empty() ? kNoNode : 0; }
  const Element& At(NodeIndex node) const { return fElements[node]; }

  // The id of a name as the document spells it, or kUnknownName.
  NameId FindName(std::string_view name) const;
  const std::string& NameOf(NameId id) const { return fNames[id]; }

  // The attribute's value; false when the element has no such attribute.
  bool Attribute(NodeIndex node, std::string_view name, std::string_view& value) const;
  std::string_view Text(NodeIndex node) const;

private:
  friend class CompactTreeBuilder;

  struct AttributeEntry {
    NameId name;
    std::uint32_t valueBegin;
    std::uint32_t valueLength;
  };

  NameId Intern(std::string_view name);
  void Clear();

  std::vector<Element> fElements; // in document order; the root first
  std::vector<AttributeEntry> fAttributes;
  std::string fTexts;             // attribute values and element texts, end to end
  std::deque<std::string> fNames; // a deque never moves its strings, so the views below hold
  std::unordered_map<std::string_view, NameId> fNameIds;
};

} // namespace xmlwrap
