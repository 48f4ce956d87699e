// Building the compact tree from the parser's events, and looking things up in it.
#include "CompactTree.h"

#include "ParserSetup.h"

#include <xercesc/sax2/Attributes.hpp>

#include <limits>
#include <new>

namespace xmlwrap {

namespace {

// Appends parser text (UTF-16) as UTF-8. The parser only reports well-formed text, so a lone
// surrogate cannot occur; should one anyway, it becomes U+FFFD rather than invalid UTF-8.
void AppendUtf8(const XMLCh* text, std::size_t length, std::string& out) {
  std::size_t i = 0;
  while (i < length) {
    // Most of a result document is ASCII: copy runs of it without the general case.
    std::size_t run = i;
    while (run < length && text[run] < 0x80)
      ++run;
    if (run > i) {
      const std::size_t at = out.size();
      out.resize(at + (run - i));
      for (std::size_t k = i; k < run; ++k)
        out[at + (k - i)] = static_cast<char>(text[k]);
      i = run;
      continue;
    }
    char32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < length && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    else if (c >= 0xD800 && c <= 0xDFFF)
      c = 0xFFFD;
    if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t Length(const XMLCh* text) {
  return std::char_traits<XMLCh>::length(text);
}

} // namespace

// Fills a tree from the parser's events. An element's own text may come in pieces around its
// children, so it gathers in a buffer per open element and joins the text block when the element
// closes; names and values go straight to their blocks.
class CompactTreeBuilder : public HardenedHandler {
public:
  CompactTreeBuilder(CompactTree& tree, int maxDepth) : HardenedHandler(maxDepth), fTree(tree) {}

  void startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const qname,
                    const xercesc::Attributes& attributes) override {
    Enter();
    if (fTree.fElements.size() >= std::numeric_limits<NodeIndex>::max() - 1)
      throw std::bad_alloc();
    const auto node = static_cast<NodeIndex>(fTree.fElements.size());
    CompactTree::Element element;
    element.name = InternName(qname, Length(qname));
    element.firstAttribute = static_cast<std::uint32_t>(fTree.fAttributes.size());
    element.attributeCount = static_cast<std::uint32_t>(attributes.getLength());
    fTree.fElements.push_back(element);
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i) {
      const XMLCh* name = attributes.getQName(i);
      const XMLCh* value = attributes.getValue(i);
      CompactTree::AttributeEntry entry;
      entry.name = InternName(name, Length(name));
      entry.valueBegin = TextOffset();
      AppendUtf8(value, Length(value), fTree.fTexts);
      entry.valueLength = TextOffset() - entry.valueBegin;
      fTree.fAttributes.push_back(entry);
    }
    Link(node);
    fOpen.push_back({node, kNoNode});
    if (fBuffers.size() < fOpen.size())
      fBuffers.emplace_back();
    fBuffers[fOpen.size() - 1].clear();
  }

  void endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const) override {
    Leave();
    std::string& buffer = fBuffers[fOpen.size() - 1];
    CompactTree::Element& element = fTree.fElements[fOpen.back().node];
    if (!buffer.empty()) {
      element.textBegin = TextOffset();
      fTree.fTexts += buffer;
      element.textLength = static_cast<std::uint32_t>(buffer.size());
    }
    fOpen.pop_back();
  }

  void characters(const XMLCh* const chars, const XMLSize_t length) override {
    if (!fOpen.empty())
      AppendUtf8(chars, length, fBuffers[fOpen.size() - 1]);
  }

private:
  struct Open {
    NodeIndex node;
    NodeIndex lastChild;
  };

  // Hangs the new element under the innermost open one, after its last child.
  void Link(NodeIndex node) {
    if (fOpen.empty())
      return;
    Open& parent = fOpen.back();
    if (parent.lastChild == kNoNode)
      fTree.fElements[parent.node].firstChild = node;
    else
      fTree.fElements[parent.lastChild].nextSibling = node;
    parent.lastChild = node;
  }

  NameId InternName(const XMLCh* name, std::size_t length) {
    fName.clear();
    AppendUtf8(name, length, fName);
    return fTree.Intern(fName);
  }

  std::uint32_t TextOffset() const {
    if (fTree.fTexts.size() > std::numeric_limits<std::uint32_t>::max())
      throw std::bad_alloc();
    return static_cast<std::uint32_t>(fTree.fTexts.size());
  }

  CompactTree& fTree;
  std::vector<Open> fOpen;
  std::vector<std::string> fBuffers; // one per nesting level, kept for reuse
  std::string fName;
};

bool CompactTree::Load(const std::string& text, SDOMXMLError& error, std::size_t maxBytes,
                       int maxDepth) {
  Clear();
  try {
    // Attribute values and texts together never exceed the text itself by much; reserving it
    // up front saves the copies of a growing block.
    fTexts.reserve(text.size() / 2);
    CompactTreeBuilder builder(*this, maxDepth);
    if (ParseWithSax(text, builder, error, maxBytes) && !fElements.empty())
      return true;
    if (error.message.empty())
      SetError(error, 0, 0, "the document has no root element");
  } catch (const std::bad_alloc&) {
    SetError(error, 0, 0, "out of memory while reading the document");
  }
  Clear();
  return false;
}

NameId CompactTree::Intern(std::string_view name) {
  const auto found = fNameIds.find(name);
  if (found != fNameIds.end())
    return found->second;
  const auto id = static_cast<NameId>(fNames.size());
  fNames.emplace_back(name);
  fNameIds.emplace(fNames.back(), id);
  return id;
}

NameId CompactTree::FindName(std::string_view name) const {
  const auto found = fNameIds.find(name);
  return found == fNameIds.end() ? kUnknownName : found->second;
}

bool CompactTree::Attribute(NodeIndex node, std::string_view name, std::string_view& value) const {
  const NameId id = FindName(name);
  if (id == kUnknownName)
    return false;
  const Element& element = fElements[node];
  for (std::uint32_t i = 0; i < element.attributeCount; ++i) {
    const AttributeEntry& a = fAttributes[element.firstAttribute + i];
    if (a.name == id) {
      value = std::string_view(fTexts).substr(a.valueBegin, a.valueLength);
      return true;
    }
  }
  return false;
}

std::string_view CompactTree::Text(NodeIndex node) const {
  const Element& element = fElements[node];
  return std::string_view(fTexts).substr(element.textBegin, element.textLength);
}

void CompactTree::Clear() {
  fElements = {};
  fAttributes = {};
  fTexts = {};
  fNameIds = {};
  fNames = {};
}

} // namespace xmlwrap
