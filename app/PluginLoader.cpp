// Finding and opening the plug-in library.
#include "PluginLoader.h"

#include "proc/CFProcCustom.h"

#include <sys/stat.h>

#include <dlfcn.h>
#include <limits.h>
#include <stdexcept>
#include <unistd.h>

namespace {

bool IsFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::vector<std::string> PluginLoader::Candidates(const std::string& programFolder) {
  return {programFolder + "/" + kLibraryName, programFolder + "/../lib/" + kLibraryName};
}

std::string PluginLoader::ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return ".";
  const std::string path(buffer, static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::unique_ptr<PluginLoader> PluginLoader::Open(const std::string& programFolder,
                                                 std::string& error) {
  std::string tried;
  for (const std::string& path : Candidates(programFolder)) {
    if (!IsFile(path)) {
      tried += (tried.empty() ? "" : ", ") + path;
      continue;
    }
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* message = dlerror();
      error = "cannot load the plug-in " + path + ": " + (message ? message : "unknown error");
      return nullptr;
    }
    auto factory = reinterpret_cast<Factory>(dlsym(handle, "GetCFProcCustom"));
    if (factory == nullptr) {
      dlclose(handle);
      error = "the plug-in " + path + " has no GetCFProcCustom";
      return nullptr;
    }
    return std::unique_ptr<PluginLoader>(new PluginLoader(handle, factory, path));
  }
  error = "cannot find the plug-in " + std::string(kLibraryName) + " (looked for " + tried + ")";
  return nullptr;
}

PluginLoader::PluginLoader(void* handle, Factory factory, std::string path)
    : fHandle(handle), fFactory(factory), fPath(std::move(path)) {}

PluginLoader::~PluginLoader() {
  dlclose(fHandle);
}

std::unique_ptr<CFProcCustom> PluginLoader::MakeProcedure() const {
  std::unique_ptr<CFProcCustom> procedure(fFactory());
  if (!procedure)
    throw std::runtime_error("the plug-in's GetCFProcCustom returned no procedure");
  return procedure;
}
