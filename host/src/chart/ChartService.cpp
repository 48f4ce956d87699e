// The chart service of a report: its template store and the memo of parsed specifications.
#include "chart/ChartService.h"

#include "ViZNode.h"

#include "chart/XDocument.h"
#include "pivot/BpProcedure.h"

#include <sys/stat.h>

#include <fstream>
#include <mutex>
#include <unordered_map>

namespace {

// Entries each cache keeps at most; a report uses a dozen templates.
constexpr std::size_t kMaxKept = 64;
// Longer specifications are parsed every time rather than kept.
constexpr std::size_t kMaxKeptSpecificationBytes = 256 * 1024;

// A plain file name of the template folder: no folders, nothing that leaves the folder, nothing
// that could end the processing instruction that records it.
bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 255)
    return false;
  for (const char c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
      return false;
  return name.find("?>") == std::string::npos;
}

// The text with a processing instruction naming its template, after the XML declaration (which
// must stay first) or at the start. Edits that search the text for markers start behind it.
std::string WithTemplateName(std::string text, const std::string& name) {
  std::size_t at = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    at = 3;
  if (text.compare(at, 5, "<?xml") == 0) {
    const std::size_t end = text.find("?>", at);
    if (end != std::string::npos)
      at = end + 2;
  }
  text.insert(at, std::string("<?") + kTemplateInstruction + " " + name + "?>");
  return text;
}

long long ChangeTime(const struct stat& info) {
  return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

// The text of a template file already read, with the file's identity and time of change when it
// was read: a file that changed since is read again.
struct KeptTemplate {
  ino_t inode;
  off_t size;
  long long changed;
  std::string text;

  bool Matches(const struct stat& info) const {
    return inode == info.st_ino && size == info.st_size && changed == ChangeTime(info);
  }
};

} // namespace

struct ChartService::Caches {
  std::mutex mutex;
  std::unordered_map<std::string, KeptTemplate> templates; // by path
  std::unordered_map<std::string, ParsedSpecification> specifications;
};

ChartService::ChartService(std::string templateFolder, bool colorsOnly)
    : fTemplateFolder(std::move(templateFolder)), fColorsOnly(colorsOnly),
      fCaches(std::make_unique<Caches>()) {}

ChartService::~ChartService() = default;

ChartService* ChartService::Current() {
  const BpProcedure* procedure = BpProcedure::Current();
  return procedure != nullptr ? procedure->Charts() : nullptr;
}

std::string ChartService::TemplateText(const std::string& fileName) {
  try {
    if (!IsPlainFileName(fileName))
      return {};
    const std::string path = fTemplateFolder + "/" + fileName;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        static_cast<unsigned long long>(info.st_size) > XDocument::kMaxSpecificationBytes)
      return {};
    {
      std::lock_guard<std::mutex> lock(fCaches->mutex);
      const auto found = fCaches->templates.find(path);
      if (found != fCaches->templates.end() && found->second.Matches(info))
        return found->second.text;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
      return {};
    std::string text(static_cast<std::size_t>(info.st_size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    // A file that changed while it was read is taken as far as it could be read, never further.
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.empty())
      return {};
    std::string specification = WithTemplateName(std::move(text), fileName);
    std::lock_guard<std::mutex> lock(fCaches->mutex);
    if (fCaches->templates.size() >= kMaxKept)
      fCaches->templates.clear();
    fCaches->templates[path] =
        KeptTemplate{info.st_ino, info.st_size, ChangeTime(info), specification};
    return specification;
  } catch (...) {
    return {};
  }
}

std::unique_ptr<ViZNode> ChartService::Parse(const std::string& specification,
                                             std::string& templateName) {
  const bool keep = specification.size() <= kMaxKeptSpecificationBytes;
  if (keep) {
    std::lock_guard<std::mutex> lock(fCaches->mutex);
    const auto found = fCaches->specifications.find(specification);
    if (found != fCaches->specifications.end()) {
      templateName = found->second.templateName;
      return CopyTree(*found->second.root);
    }
  }
  ParsedSpecification parsed = ParseSpecification(specification, XDocument::kMaxSpecificationBytes,
                                                  XDocument::kMaxNestingDepth);
  templateName = parsed.templateName;
  if (keep) {
    std::lock_guard<std::mutex> lock(fCaches->mutex);
    if (fCaches->specifications.size() >= kMaxKept)
      fCaches->specifications.clear();
    fCaches->specifications.emplace(
        specification, ParsedSpecification{CopyTree(*parsed.root), parsed.templateName});
  }
  return std::move(parsed.root);
}
