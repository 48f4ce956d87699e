// The value helpers of the plug-in; the conversions and formatting themselves are the host's.
#include "NOPRUTILITY.h"

#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "text/CodePage.h"

std::string NOPRUTILITY::stringToUTF8(const std::string& text) {
  std::string converted;
  if (VORNMBGenericToU8(text, converted) != 0)
    return text;
  return converted;
}

std::string NOPRUTILITY::stringToCodePage(const std::string& text) {
  std::string converted;
  if (VORNMBU8ToGeneric(text, converted) != 0)
    return text;
  return converted;
}

int ToString(double value, const VORN_Format& format, char* buffer) {
  OBS unit;
  unit.f = value;
  return ToString(&unit, format, buffer);
}

void trimSpaces(std::string& text) {
  const std::string::size_type last = text.find_last_not_of(' ');
  if (last == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(last + 1);
  text.erase(0, text.find_first_not_of(' '));
}
