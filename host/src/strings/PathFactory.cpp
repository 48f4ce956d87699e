// The host's path service: resource folders found beside the program or the host library.
#include "strings/PathFactory.h"

#include <sys/stat.h>

#include <dlfcn.h>
#include <limits.h>
#include <map>
#include <memory>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

struct PathSettings {
  std::mutex mutex;
  std::string resourcesRoot;
  std::string stringsRoot;
  std::string templatesRoot;
  std::string language = "en";
  std::map<int, std::unique_ptr<PathFactory>> instances;
};

PathSettings& Settings() {
  static PathSettings settings;
  return settings;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderOf(const std::string& file) {
  std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) {
    return "";
  }
  return FolderOf(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string LibraryFolder() {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&PathFactory::getPathInstance), &info) == 0 ||
      info.dli_fname == nullptr) {
    return "";
  }
  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved) == nullptr) {
    return "";
  }
  return FolderOf(resolved);
}

std::string DefaultResourcesRoot() {
  std::vector<std::string> candidates;
  for (const std::string& dir : {ProgramFolder(), LibraryFolder()}) {
    if (dir.empty()) {
      continue;
    }
    candidates.push_back(dir + "/../resources");
    candidates.push_back(dir + "/../share/nptests/resources");
    candidates.push_back(dir + "/resources");
  }
  for (const std::string& candidate : candidates) {
    if (IsDirectory(candidate)) {
      return candidate;
    }
  }
  return candidates.empty() ? "resources" : candidates.front();
}

bool IsLanguageName(const std::string& language) {
  constexpr std::size_t kMaxLanguageLength = 16;
  if (language.size() > kMaxLanguageLength) {
    return false;
  }
  for (char c : language) {
    bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '-' || c == '_';
    if (!allowed) {
      return false;
    }
  }
  return true;
}

} // namespace

PathFactory::PathFactory(int kind) : fKind(kind) {}
PathFactory::~PathFactory() = default;

PathFactory* PathFactory::getPathInstance(int kind) {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  std::unique_ptr<PathFactory>& instance = settings.instances[kind];
  if (!instance) {
    instance.reset(new PathFactory(kind));
  }
  return instance.get();
}

std::string PathFactory::getPath() const {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  const std::string root =
      settings.resourcesRoot.empty() ? DefaultResourcesRoot() : settings.resourcesRoot;
  if (fKind == kChartTemplates) {
    return settings.templatesRoot.empty() ? root + "/templates" : settings.templatesRoot;
  }
  if (fKind == kStringTables) {
    std::string strings = settings.stringsRoot.empty() ? root + "/strings" : settings.stringsRoot;
    return strings + "/" + settings.language;
  }
  return root;
}

void PathFactory::SetResourcesRoot(const std::string& root) {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  settings.resourcesRoot = root;
}

void PathFactory::SetStringsRoot(const std::string& root) {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  settings.stringsRoot = root;
}

void PathFactory::SetTemplatesRoot(const std::string& root) {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  settings.templatesRoot = root;
}

bool PathFactory::SetLanguage(const std::string& language) {
  if (!IsLanguageName(language)) {
    return false;
  }
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  settings.language = language.empty() ? "en" : language;
  return true;
}

std::string PathFactory::GetLanguage() {
  PathSettings& settings = Settings();
  std::lock_guard<std::mutex> lock(settings.mutex);
  return settings.language;
}
