// A text composed from a format and items: "^1", "^2", ... stand for the added items in order,
// and "[FIRST:REST]n" or "[FIRST:REST:END]n" writes item n (normally a sublist) group by group.
// docs/string-tables.md describes the format language.
#pragma once

#include "pivot/BpCellText.h"

#include <memory>
#include <string>
#include <vector>

class BpComposite : public BpCellText {
public:
  // `translatable`: the format is a string-table key, translated before the items go in.
  BpComposite(std::string format, bool translatable);
  BpComposite(const BpComposite& other);
  BpComposite& operator=(const BpComposite& other);
  ~BpComposite() override;

  // Appends a copy of `item` to the open sublist, or to the top level when none is open.
  void Add(const BpCellText& item);
  // Opens a sublist: one item of the enclosing level whose own items are added until EndSublist.
  void Sublist();
  // Closes the innermost open sublist; does nothing when none is open.
  void EndSublist();
  // Closes every open sublist. A composite may be used before or after Finish; items added
  // after it go to the top level.
  void Finish();

  std::unique_ptr<BpCellText> Clone() const override;
  output::Label ToLabel(const FacSTDictionary* strings) const override;

  const std::string& Format() const { return fFormat; }
  bool IsTranslatable() const { return fTranslatable; }

private:
  struct Node {
    std::unique_ptr<BpCellText> text; // null for a sublist
    std::vector<Node> list;
  };
  static Node CopyNode(const Node& node);
  static output::Label NodeLabel(const Node& node, const FacSTDictionary* strings);
  std::vector<Node>& OpenLevel();

  std::string fFormat;
  bool fTranslatable;
  std::vector<Node> fItems;
  std::vector<std::size_t> fOpen; // path of open sublists: positions, outermost first
};
