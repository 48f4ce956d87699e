// The host's path service: where the resources that the procedure reads at run time live.
// Instance 3 gives the folder of the string tables of the output language.
#pragma once

#include <string>

// One instance per kind of resource, made on first use and living for the whole process: this is
// the one piece of process-wide state of the host, because the procedure reaches it only through
// the static getPathInstance. The program configures it before running procedures. Thread-safe.
class PathFactory {
public:
  enum Kind {
    kResources = 0,      // the resources folder itself
    kChartTemplates = 2, // <resources>/templates
    kStringTables = 3,   // <resources>/strings/<language>
  };

  // The instance of a kind; any int is accepted (unknown kinds give the resources folder).
  // Never null; the instance lives until the process ends and must not be deleted.
  static PathFactory* getPathInstance(int kind);

  // The location of this kind of resource, without a trailing slash.
  virtual std::string getPath() const;

  // The resources folder for every kind. Empty restores the default: the first existing of
  // <dir>/../resources, <dir>/../share/nptests/resources and <dir>/resources, for dir the folder
  // of the running program and then the folder of the host library; the first candidate if none
  // exists (so that a failure names a real place).
  static void SetResourcesRoot(const std::string& root);
  // Overrides the string-table root (the folder holding one folder per language, default
  // <resources>/strings); empty restores the default.
  static void SetStringsRoot(const std::string& root);
  // Overrides the chart-template folder (default <resources>/templates); empty restores the
  // default.
  static void SetTemplatesRoot(const std::string& root);
  // The output language, "en" by default: the folder under the string-table root. Returns false,
  // changing nothing, unless `language` is 1 to 16 ASCII letters, digits, '-' or '_' (so it
  // cannot leave the root). Empty restores "en".
  static bool SetLanguage(const std::string& language);
  static std::string GetLanguage();

  virtual ~PathFactory();
  PathFactory(const PathFactory&) = delete;
  PathFactory& operator=(const PathFactory&) = delete;

private:
  explicit PathFactory(int kind);
  int fKind;
};
