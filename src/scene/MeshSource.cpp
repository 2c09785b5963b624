#include "scene/MeshSource.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <cctype>
#include <system_error>
#include <utility>

#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "platform/d3drm/FileLookup.h"
#include "platform/framework/File.h"
#include "platform/win/Process.h"
#include "scene/MeshSO.h"
#include "scene/SceneServices.h"

namespace {

namespace fs = std::filesystem;

XString ProgramFolder() { return GetSceneApp().GetProgramPath().GetDirectory().AddTrailingSeparator(); }

// The folders listed in `objects`, as the system lists them: the entries that stand for the folder
// itself and for the one above it first, then its sub-folders in name order. None when the folder
// cannot be listed.
std::vector<std::string> FoldersListedIn(const std::string& objects) {
  std::error_code error;
  fs::directory_iterator it(objects, error), end;
  if (error) return {};
  std::vector<std::string> folders;
  for (; !error && it != end; it.increment(error))
    if (it->is_directory(error)) folders.push_back(it->path().filename().string());
  std::sort(folders.begin(), folders.end());
  folders.insert(folders.begin(), {".", ".."});
  return folders;
}

// The objects folder's own file of that name, else the first folder listed in it that holds it
// (one level: the folder above the objects folder is tried, its sub-folders are not); empty when
// none does.
std::string FindInObjectsFolder(const XString& file) {
  const std::string objects = std::string(ProgramFolder()) + std::string(XString(UINT{74}));
  const std::string name(file.GetFileName());
  if (std::string found = d3drm::FindFile(objects + "/" + name); !found.empty()) return found;
  for (const std::string& folder : FoldersListedIn(objects))
    if (std::string found = d3drm::FindFile(objects + "/" + folder + "/" + name); !found.empty()) return found;
  return {};
}

// The path under which `file` exists: as stored (a Windows path or another letter case
// included), in the objects folder when asked, or the user's answer. Empty when the user gives up.
std::string Locate(const XString& file, bool searchObjects) {
  if (std::string found = d3drm::FindFile(std::string(file)); !found.empty()) return found;
  if (searchObjects)
    if (std::string found = FindInObjectsFolder(file); !found.empty()) return found;
  const XString answer = XLocateMissingFile(file, FALSE);
  // Giving up returns the missing path itself.
  if (answer == file) return {};
  return d3drm::FindFile(std::string(answer));
}

// A fresh folder of this run's own in the temporary folder.
fs::path MakePrivateFolder() {
  static std::atomic<unsigned> counter{0};
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (;;) {
    const fs::path folder = base / ("tavrolin-conv3ds-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    if (fs::create_directory(folder, error)) return folder;
    if (error) return {};
  }
}

LONG ReadAll(const std::string& path, MeshLoadSource* source) {
  return d3drm::ReadWholeFile(path, &source->bytes) == d3drm::FileReadResult::kOk ? SceneObj::none
                                                                                   : SceneObj::damagedFile;
}

LONG Convert(MeshSO& object, MeshLoadSource* source) {
  const std::string found = Locate(object.GetFile(), false);
  if (found.empty()) return SceneObj::fileNotFound;
  object.SetFile(found.c_str());
  if (CFile probe; !probe.Open(found.c_str(), CFile::modeRead)) return SceneObj::damagedFile;
  source->conversionFolder = MakePrivateFolder();
  if (source->conversionFolder.empty()) return SceneObj::damagedFile;
  const XString converted = (source->conversionFolder / (std::string(object.GetFile().GetFileTitle()) + ".x")).c_str();
  const ProgramRun run = RunProgramAndWait(std::string(ConverterCommandLine(ProgramFolder(), object.reverse, converted,
                                                                           object.GetFile())));
  if (!run.started) {
    XErrorBox(40246);
    return SceneObj::converterNotStarted;
  }
  // A converter that failed or was ended may have left a partial file.
  if (run.exitCode != 0) return SceneObj::damagedFile;
  source->textureFolder = object.GetFile().GetDirectory();
  return ReadAll(std::string(converted), source);
}

}  // namespace

MeshLoadSource::MeshLoadSource(MeshLoadSource&& other) noexcept
    : bytes(std::move(other.bytes)),
      textureFolder(other.textureFolder),
      conversionFolder(std::exchange(other.conversionFolder, {})) {}

MeshLoadSource& MeshLoadSource::operator=(MeshLoadSource&& other) noexcept {
  if (this != &other) {
    RemoveConversionFolder();
    bytes = std::move(other.bytes);
    textureFolder = other.textureFolder;
    conversionFolder = std::exchange(other.conversionFolder, {});
  }
  return *this;
}

MeshLoadSource::~MeshLoadSource() { RemoveConversionFolder(); }

void MeshLoadSource::RemoveConversionFolder() {
  std::error_code ignored;
  if (!conversionFolder.empty()) fs::remove_all(conversionFolder, ignored);
  conversionFolder.clear();
}

XString ConverterCommandLine(const XString& programFolder, BOOL reverse, const XString& converted, const XString& file) {
  XString line = "\"" + programFolder + "conv3ds.exe\" ";
  if (reverse) line += "-r ";
  line += "-t -c -m -s0.0254 -o \"" + converted + "\" \"" + file + "\"";
  return line;
}

LONG FindMeshSource(MeshSO& object, MeshLoadSource* source) {
  const std::string extension(object.GetFile().GetExtension());
  const bool threeDs = extension.size() == 3 && std::tolower(static_cast<unsigned char>(extension[0])) == '3' &&
                       std::tolower(static_cast<unsigned char>(extension[1])) == 'd' &&
                       std::tolower(static_cast<unsigned char>(extension[2])) == 's';
  if (threeDs) return Convert(object, source);
  const std::string found = Locate(object.GetFile(), true);
  if (found.empty()) return SceneObj::fileNotFound;
  object.SetFile(found.c_str());
  source->textureFolder = object.GetFile().GetDirectory();
  return ReadAll(found, source);
}
