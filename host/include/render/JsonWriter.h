// Writes the output document as JSON in the format of docs/output-format.md: the exact record of
// what the procedure handed over (keys, raw numbers, category trees), for programs and tests.
#pragma once

#include "render/OutputWriter.h"

class JsonWriter : public OutputWriter {
public:
  // `indent` < 0 writes everything on one line (what the program writes unless told otherwise);
  // otherwise nested values are indented by that many blanks per level.
  explicit JsonWriter(int indent = 2);
  ~JsonWriter() override;

  // Streams to `out` as the items arrive; nothing of the report is held beyond a buffer.
  // Deterministic: members in a fixed order, numbers written locale-independently as the shortest
  // text that reads back as the same double; NaN and infinities (and the system-missing value,
  // which the model already holds as absent) become null. Invalid UTF-8 becomes U+FFFD.
  std::unique_ptr<Sink> Open(std::ostream& out) const override;
  bool ShowsDrawings() const override { return true; }

private:
  int fIndent;
};
