#include "ui/HelpFiles.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>

namespace vistrel {
namespace {

bool IsPdfName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".pdf";
}

std::vector<HelpFile> PdfFilesIn(const std::filesystem::path& folder) {
  std::vector<HelpFile> files;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && IsPdfName(it->path()))
      files.push_back({it->path().filename().string(), it->path()});
  }
  std::ranges::sort(files, {}, &HelpFile::name);
  return files;
}

}  // namespace

std::vector<HelpFile> FindHelpFiles(const std::filesystem::path& currentFolder,
                                    const std::filesystem::path& docFolder) {
  std::vector<HelpFile> files = PdfFilesIn(currentFolder);
  std::set<std::string> names;
  for (const HelpFile& file : files)
    names.insert(file.name);
  std::error_code error;
  if (docFolder.empty() || std::filesystem::equivalent(currentFolder, docFolder, error))
    return files;
  for (HelpFile& file : PdfFilesIn(docFolder)) {
    if (!names.contains(file.name))
      files.push_back(std::move(file));
  }
  return files;
}

std::filesystem::path InstalledDocFolder() {
#ifdef VISTREL_DOC_DIR
  return VISTREL_DOC_DIR;
#else
  return {};
#endif
}

}  // namespace vistrel
