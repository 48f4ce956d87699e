// A handle on a heading of the output outline: makes child headings and tables under it.
#pragma once

#include "pivot/BpCellText.h"

#include <memory>

namespace output {
class Heading;
}
class BpPivotTable;
struct BpState;

// Handles never own what they built: copying or deleting a handle leaves the output as it is.
// While at least one handle on a heading lives, the heading is "live": charts and messages sent
// without a place go under the most recently made live heading. A handle stays usable after its
// procedure is deleted as long as the output document lives. Not thread-safe.
class BpHeading {
public:
  BpHeading(const BpHeading& other);
  BpHeading& operator=(const BpHeading& other);
  virtual ~BpHeading();

  // Appends a child heading labelled with `text` and returns a handle on it.
  BpHeading Heading(const BpCellText& text);
  // Appends a table. `subtitle` is a second, plain name of the table (its shown text is kept);
  // `flag` is accepted for the callers' sake and has no effect.
  BpPivotTable PivotTable(const BpCellText& title, const BpCellText& subtitle, bool flag);

  // The heading in the output; valid while the document lives.
  const output::Heading& Node() const { return *fNode; }

protected:
  BpHeading(std::shared_ptr<BpState> state, output::Heading* node);
  const std::shared_ptr<BpState>& State() const { return fState; }

private:
  std::shared_ptr<BpState> fState;
  output::Heading* fNode;
};
