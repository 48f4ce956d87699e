// Text helpers of the XML wrapper: UTF-8 <-> parser text, and the attribute number rules.
#pragma once

#include <xercesc/util/XercesDefs.hpp>

#include <string>

namespace xmlwrap {

// Parser text (UTF-16) to UTF-8. Throws xercesc::XMLException on an unpaired surrogate, which the
// parser never produces from a well-formed document.
std::string XToUtf8(const XMLCh* text, XMLSize_t length);
std::string XToUtf8(const XMLCh* text);

// The whole text, blanks around it ignored, as a decimal int within range ("+" allowed).
bool ParseIntText(const std::string& text, int& value);
// The whole text, blanks around it ignored, as a finite double; "." is the decimal point whatever
// the C locale, hexadecimal, infinities and NaN are refused.
bool ParseDoubleText(const std::string& text, double& value);

} // namespace xmlwrap
