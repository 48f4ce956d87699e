// Loads the procedure plug-in the way a statistics package loads its procedures: the shared
// library by path with dlopen, the procedure from its exported factory.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CFProcCustom;

class PluginLoader {
public:
  // The library's file name.
  static constexpr const char* kLibraryName = "libnonpar.so";

  // Where the plug-in is looked for, in order: beside the program (a build tree) and in the lib/
  // folder of its install prefix.
  static std::vector<std::string> Candidates(const std::string& programFolder);

  // Opens the first candidate that exists and finds GetCFProcCustom in it. Null with `error`
  // naming the places tried, or the loader's message, when that fails.
  static std::unique_ptr<PluginLoader> Open(const std::string& programFolder, std::string& error);

  // Closes the library: every procedure made by it must have been deleted before.
  ~PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;

  // A new procedure object; the caller owns it. Never null (a null from the factory throws
  // std::runtime_error).
  std::unique_ptr<CFProcCustom> MakeProcedure() const;
  const std::string& Path() const { return fPath; }

  // The folder of the running program, from /proc/self/exe; "." when that cannot be read.
  static std::string ProgramFolder();

private:
  using Factory = CFProcCustom* (*)();
  PluginLoader(void* handle, Factory factory, std::string path);

  void* fHandle;
  Factory fFactory;
  std::string fPath;
};
