// A German C locale (decimal comma) for the tests that prove number texts ignore the C locale.
// When none is installed, one is built with localedef under the build tree once and found
// through LOCPATH. Build paths must not contain quotes.
#pragma once

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

class ScopedGermanLocale {
public:
  ScopedGermanLocale() {
    fActive = Switch();
    if (!fActive)
      fActive = BuildAndSwitch() && Switch();
  }
  ~ScopedGermanLocale() { std::setlocale(LC_ALL, "C"); }
  ScopedGermanLocale(const ScopedGermanLocale&) = delete;
  ScopedGermanLocale& operator=(const ScopedGermanLocale&) = delete;

  // True when LC_ALL now is a locale whose decimal point is ",".
  bool Active() const { return fActive; }

private:
  static bool Switch() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
      return false;
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0;
  }

  static bool BuildAndSwitch() {
    const std::string dir = std::string(NPTESTS_BINARY_DIR) + "/test-locales";
    const std::string target = dir + "/de_DE.UTF-8";
    // Test programs may run side by side; the lock lets one of them build the locale.
    const std::string command = "mkdir -p '" + dir + "' && flock '" + dir + "/.lock' sh -c " +
                                "'test -d " + target + " || localedef -i de_DE -f UTF-8 " + target +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
      return false;
    return setenv("LOCPATH", dir.c_str(), 1) == 0;
  }

  bool fActive = false;
};
