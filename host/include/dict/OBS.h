// The host's unit of a case value: 8 bytes holding a double or eight characters of a string.
// A string value of width w occupies ObsLength(w) consecutive units, blank-padded.
#pragma once

union OBS {
  double f;
  char s[8];
};

// Number of OBS units a variable of this type occupies: 1 for numeric (type 0) and for strings
// up to 8 characters; (type + 7) / 8 for longer strings.
inline int ObsLength(int type) {
  return type >= 0 && type <= 8 ? 1 : (type + 7) / 8;
}
