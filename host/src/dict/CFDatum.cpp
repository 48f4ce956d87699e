// Dictionary values. A text datum owns its buffer; copies are deep.
#include "dict/CFDatum.h"

#include "text/VORN_SystemMissing.h"

#include <cstring>
#include <utility>

CFDatum::CFDatum(const char* text, bool missing)
    : fMissing(missing || text == nullptr), fKind(kString) {
  fValue.fText = nullptr;
  if (!fMissing) {
    fLength = std::strlen(text) + 1;
    fValue.fText = new char[fLength];
    std::memcpy(fValue.fText, text, fLength);
  }
}

CFDatum::CFDatum(const long long& value, bool missing) : fMissing(missing), fKind(kInteger) {
  fValue.fInteger = value;
}

CFDatum::CFDatum(const double& value, bool missing) : fMissing(missing), fKind(kDouble) {
  fValue.fDouble = value;
}

CFDatum::CFDatum(const CFDatum& other) : fMissing(other.fMissing), fKind(other.fKind) {
  fValue.fText = nullptr;
  CopyFrom(other);
}

CFDatum::CFDatum(CFDatum&& other) noexcept
    : fMissing(other.fMissing), fKind(other.fKind), fLength(other.fLength), fValue(other.fValue) {
  if (other.fKind == kString) {
    other.fValue.fText = nullptr;
    other.fLength = 0;
  }
}

CFDatum& CFDatum::operator=(const CFDatum& other) {
  if (this == &other)
    return *this;
  Release();
  fMissing = other.fMissing;
  fKind = other.fKind;
  CopyFrom(other);
  return *this;
}

CFDatum& CFDatum::operator=(CFDatum&& other) noexcept {
  if (this == &other)
    return *this;
  Release();
  fMissing = other.fMissing;
  fKind = other.fKind;
  fLength = other.fLength;
  fValue = other.fValue;
  if (other.fKind == kString) {
    other.fValue.fText = nullptr;
    other.fLength = 0;
  }
  return *this;
}

CFDatum::~CFDatum() {
  Release();
}

const char* CFDatum::GetString() const {
  return fKind == kString && fValue.fText != nullptr ? fValue.fText : "";
}

double CFDatum::AsDouble() const {
  if (fMissing)
    return VORN_SystemMissing();
  switch (GetKind()) {
  case kInteger:
    return static_cast<double>(fValue.fInteger);
  case kDouble:
    return fValue.fDouble;
  case kString:
    return VORN_SystemMissing();
  }
  return VORN_SystemMissing();
}

void CFDatum::Release() {
  if (fKind == kString) {
    delete[] fValue.fText;
    fValue.fText = nullptr;
  }
  fLength = 0;
}

// Expects this datum's buffer to be released; copies the value and, for a text, its buffer.
void CFDatum::CopyFrom(const CFDatum& other) {
  fLength = 0;
  if (other.fKind != kString) {
    fValue = other.fValue;
    return;
  }
  fValue.fText = nullptr;
  if (other.fLength != 0 && other.fValue.fText != nullptr) {
    fLength = other.fLength;
    fValue.fText = new char[fLength];
    std::memcpy(fValue.fText, other.fValue.fText, fLength);
  }
}

CFValue::CFValue(const CFDatum& datum, const std::string& displayLabel, int flag, int partition)
    : CFDatum(datum), fDisplayLabel(displayLabel), fFlag(flag), fPartition(partition) {}
