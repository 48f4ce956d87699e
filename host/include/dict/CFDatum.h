// CFDatum and CFValue: one value of a dictionary field (an integer, a double or a text) and that
// value with its display text, as the metadata of a result document's dictionary holds them.
#pragma once

#include <cstddef>
#include <string>

class CFDatum {
public:
  enum Kind { kInteger = 0, kDouble = 1, kString = 2 };

  // A text datum; missing when `missing` is set or `text` is null. The text is copied.
  CFDatum(const char* text, bool missing);
  CFDatum(const long long& value, bool missing);
  CFDatum(const double& value, bool missing);
  // Copies deep-copy the text of a string datum.
  CFDatum(const CFDatum& other);
  CFDatum(CFDatum&& other) noexcept;
  CFDatum& operator=(const CFDatum& other);
  CFDatum& operator=(CFDatum&& other) noexcept;
  virtual ~CFDatum();

  bool IsMissing() const { return fMissing; }
  Kind GetKind() const { return static_cast<Kind>(fKind); }
  // Size of the text buffer including its terminating zero; 0 unless a non-missing text.
  std::size_t Length() const { return fLength; }

  long long GetInteger() const { return fKind == kInteger ? fValue.fInteger : 0; }
  double GetDouble() const { return fKind == kDouble ? fValue.fDouble : 0.0; }
  // The text of a non-missing text datum, else "".
  const char* GetString() const;
  // An integer or double as a double; the system-missing value for a missing or text datum.
  double AsDouble() const;

private:
  void Release();
  void CopyFrom(const CFDatum& other);

  bool fMissing;
  int fKind;
  std::size_t fLength = 0;
  union {
    long long fInteger;
    double fDouble;
    char* fText;
  } fValue;
};

class CFValue : public CFDatum {
public:
  // `flag` and `partition` are kept for the host; this system passes 0 for both.
  CFValue(const CFDatum& datum, const std::string& displayLabel, int flag, int partition);

  const std::string& GetDisplayLabel() const { return fDisplayLabel; }
  int GetFlag() const { return fFlag; }
  int GetPartition() const { return fPartition; }

private:
  std::string fDisplayLabel;
  int fFlag;
  int fPartition;
  std::string fExtra;
};
