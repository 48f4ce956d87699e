// The number format a BpNumber is shown with; made by BpProcedure's format functions.
#pragma once

namespace output {
class NumberFormat;
}

// A value the plug-in only passes on, from a BpProcedure format function to a BpNumber. It holds
// the output document's number format without showing its type, so that the plug-in's code never
// sees the output document.
class BpFormat {
public:
  // A count.
  BpFormat();
  explicit BpFormat(const output::NumberFormat& format);

  output::NumberFormat ToNumberFormat() const;

  bool operator==(const BpFormat& other) const {
    return fKind == other.fKind && fDecimals == other.fDecimals;
  }
  bool operator!=(const BpFormat& other) const { return !(*this == other); }

private:
  // output::NumberFormat::Kind as its underlying value.
  int fKind;
  int fDecimals;
};
