#include "host/xlsx/XlsxBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "host/xlsx/PackageParts.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetReader.h"
#include "host/xlsx/SheetWriter.h"
#include "host/xlsx/StylesPart.h"
#include "host/xlsx/TestHooks.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

namespace testing {
namespace {
std::optional<std::string> g_failNextSave;
int g_sheetsParsed = 0;
}  // namespace
void FailNextSave(const std::string& reason) { g_failNextSave = reason; }
int SheetsParsed() { return g_sheetsParsed; }
}  // namespace testing

namespace {

// Deflate level for the parts we write: the default level keeps files as
// small as the spreadsheet's own and still saves 2 million cells in ~1.5 s.
constexpr zip_uint32_t kDeflateLevel = 6;

XlsxSheetExtra* ExtraOf(const Worksheet& sheet) {
  return dynamic_cast<XlsxSheetExtra*>(sheet.Extra());
}

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

// A temporary file beside the target, removed unless kept.
struct TempFile {
  std::string path;
  bool keep = false;
  ~TempFile() {
    if (!path.empty() && !keep) ::unlink(path.c_str());
  }
};

// Produces a part's bytes only when libzip compresses it, and frees them right
// after, so a save holds one rewritten sheet's XML at a time.
struct LazyPart {
  std::function<std::string()> make;
  std::string data;
  size_t pos = 0;
  size_t* producedSize = nullptr;
  std::string* failure = nullptr;
  zip_error_t error;
  bool produced = false;
  bool written = false;
  size_t size = 0;

  bool Produce() {
    if (produced) return true;
    try {
      data = make();
    } catch (const std::exception& e) {
      if (failure) *failure = e.what();
      zip_error_set(&error, ZIP_ER_MEMORY, 0);
      return false;
    }
    produced = true;
    size = data.size();
    if (producedSize) *producedSize = size;
    return true;
  }
};

zip_int64_t LazyCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* part = static_cast<LazyPart*>(userdata);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      if (!part->Produce()) return -1;
      part->pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      size_t n = std::min<size_t>(len, part->data.size() - part->pos);
      std::memcpy(data, part->data.data() + part->pos, n);
      part->pos += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      std::string().swap(part->data);
      part->produced = false;
      part->written = true;
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->mtime = std::time(nullptr);
      st->valid |= ZIP_STAT_MTIME;
      // libzip asks for the size just before it compresses the part; knowing
      // it keeps the entry a plain (not Zip64) one, which every reader takes.
      // After the part was written libzip may ask again; answer from memory
      // rather than serializing the sheet a second time.
      if (!part->written && !part->Produce()) return -1;
      st->size = part->size;
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&part->error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&part->error);
      delete part;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&part->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

void AddEntry(zip_t* zip, const std::string& name, zip_source_t* source, bool compress) {
  ZipSourcePtr owned(source);
  if (!source) throw std::runtime_error(zip_strerror(zip));
  zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) throw std::runtime_error(zip_strerror(zip));
  owned.release();  // the archive owns it now
  if (compress && zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                           kDeflateLevel) != 0)
    throw std::runtime_error(zip_strerror(zip));
}

void SyncPath(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags);
  if (fd < 0) throw std::runtime_error(Errno("cannot open " + path));
  int rc = ::fsync(fd);
  int saved = errno;
  ::close(fd);
  errno = saved;
  // Some file systems refuse fsync on folders; the data itself was synced.
  if (rc != 0 && !(flags & O_DIRECTORY)) throw std::runtime_error(Errno("cannot flush to disk"));
}

}  // namespace

XlsxBackend::~XlsxBackend() = default;

bool XlsxBackend::ReadPart(const std::string& name, std::string& out) const {
  if (zip_) return ReadEntry(zip_.get(), name, out);
  auto it = virtual_.find(name);
  if (it == virtual_.end()) return false;
  out = it->second;
  return true;
}

void XlsxBackend::LoadSharedStrings() {
  if (sharedStringsLoaded_) return;
  sharedStringsLoaded_ = true;
  if (!zip_ || sharedStringsPart_.empty()) return;
  zip_int64_t index = FindEntry(zip_.get(), sharedStringsPart_);
  if (index < 0) return;  // a dangling relationship: cells that use it read empty
  ZipFilePtr file(zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file) throw HostError("Open", path_, zip_strerror(zip_.get()));
  try {
    sharedStrings_ = ReadSharedStrings([&](char* buf, size_t size) -> size_t {
      zip_int64_t n = zip_fread(file.get(), buf, size);
      if (n < 0) throw std::runtime_error(zip_file_strerror(file.get()));
      return static_cast<size_t>(n);
    });
  } catch (const std::exception& e) {
    sharedStrings_.clear();
    throw HostError("Open", path_, std::string("the shared text table is damaged: ") + e.what());
  }
}

void XlsxBackend::LoadSheet(Worksheet& sheet) {
  sheet.SetLoaded();  // the store is filled here; do not come back through the loader
  XlsxSheetExtra* extra = ExtraOf(sheet);
  if (!extra || extra->partName.empty() || !extra->worksheet || extra->parsed || !zip_) return;
  LoadSharedStrings();
  zip_int64_t index = FindEntry(zip_.get(), extra->partName);
  auto fail = [&](const std::string& why) {
    sheet.Store() = CellStore();
    sheet.Merges().clear();
    extra->elements.clear();
    extra->damaged = true;
    throw HostError("Open", path_, "sheet '" + sheet.Name() + "' " + why);
  };
  if (index < 0) fail("is missing from the file");
  ZipFilePtr file(zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file) fail(std::string("cannot be read: ") + zip_strerror(zip_.get()));
  try {
    ReadSheet(
        [&](char* buf, size_t size) -> size_t {
          zip_int64_t n = zip_fread(file.get(), buf, size);
          if (n < 0) throw std::runtime_error(zip_file_strerror(file.get()));
          return static_cast<size_t>(n);
        },
        sharedStrings_, sheet, *extra);
    extra->hadFormulas = !sheet.Store().Formulas().empty();
    ++testing::g_sheetsParsed;
  } catch (const HostError&) {
    throw;
  } catch (const std::exception& e) {
    fail(std::string("is damaged: ") + e.what());
  }
}

std::unique_ptr<Workbook> XlsxBackend::Open(Application& app, const std::string& path) {
  auto backend = std::make_unique<XlsxBackend>();
  std::string reason;
  backend->zip_ = OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS, reason);
  if (!backend->zip_)
    throw HostError("Open", path, "the file is damaged or not a workbook (" + reason + ")");
  PackageStructure structure;
  StyleTable styles;
  try {
    structure = ReadPackageStructure(
        [&](const std::string& name, std::string& out) { return backend->ReadPart(name, out); });
    std::string stylesXml;
    styles = !structure.stylesPart.empty() && backend->ReadPart(structure.stylesPart, stylesXml)
                 ? ReadStyles(stylesXml)
                 : StyleTable::Default();
  } catch (const HostError&) {
    throw;
  } catch (const std::exception& e) {
    throw HostError("Open", path, e.what());
  }
  backend->path_ = path;
  backend->workbookPart_ = structure.workbookPart;
  backend->sharedStringsPart_ = structure.sharedStringsPart;

  auto book = std::make_unique<Workbook>(&app, path, std::move(backend), std::move(styles));
  auto& list = book->SheetList();
  for (size_t i = 0; i < structure.sheets.size(); ++i) {
    const SheetEntry& entry = structure.sheets[i];
    auto sheet = std::make_unique<Worksheet>(book.get(), entry.name);
    auto extra = std::make_unique<XlsxSheetExtra>();
    extra->partName = entry.part;
    extra->relId = entry.relId;
    extra->sheetId = entry.sheetId;
    extra->position = static_cast<int>(i);
    extra->worksheet = entry.worksheet;
    extra->tabActive = static_cast<int>(i) == structure.activeTab;
    sheet->SetHidden(entry.hidden);
    sheet->SetExtra(std::move(extra));
    if (!entry.worksheet) sheet->SetLoaded();  // chart sheets have no cells
    list.push_back(std::move(sheet));
  }
  if (list.empty()) throw HostError("Open", path, "the workbook has no sheets");
  int active = std::clamp(structure.activeTab, 0, static_cast<int>(list.size()) - 1);
  book->SetActiveSheet(*list[static_cast<size_t>(active)]);
  return book;
}

void XlsxBackend::Save(Workbook& book, const std::string& path) {
  try {
    SaveTo(book, path);
  } catch (const HostError&) {
    throw;
  } catch (const std::exception& e) {
    throw HostError("Save", path, e.what());
  }
}

void XlsxBackend::SaveTo(Workbook& book, const std::string& path) {
  auto& sheets = book.SheetList();
  if (sheets.empty()) throw HostError("Save", path, "a workbook needs at least one sheet");
  if (!zip_ && virtual_.empty()) {
    virtual_ = NewPackageParts();
    virtualOrder_ = NewPackageOrder();
  }

  // Which sheets are written from the model; load them first, so a damaged
  // part stops the save before anything is written.
  std::vector<bool> rewrite(sheets.size());
  for (size_t i = 0; i < sheets.size(); ++i) {
    Worksheet& sheet = *sheets[i];
    XlsxSheetExtra* extra = ExtraOf(sheet);
    bool isNew = !extra || extra->partName.empty();
    rewrite[i] = isNew || (sheet.Modified() && extra->worksheet);
    if (!rewrite[i]) continue;
    if (extra && extra->damaged)
      throw HostError("Save", path,
                      "sheet '" + sheet.Name() + "' could not be read; saving would lose it");
    sheet.Store();
  }

  // The structure parts, edited as documents.
  auto read = [&](const std::string& name, std::string& out) { return ReadPart(name, out); };
  std::vector<std::string> entryNames;
  if (zip_) {
    zip_int64_t n = zip_get_num_entries(zip_.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
      const char* name = zip_get_name(zip_.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
      entryNames.push_back(name ? name : "");
    }
  } else {
    entryNames = virtualOrder_;
  }
  std::vector<SheetPlan> plan(sheets.size());
  for (size_t i = 0; i < sheets.size(); ++i) {
    XlsxSheetExtra* extra = ExtraOf(*sheets[i]);
    SheetPlan& p = plan[i];
    p.name = sheets[i]->Name();
    p.hidden = sheets[i]->Hidden();
    p.rewrite = rewrite[i];
    p.worksheet = !extra || extra->worksheet;
    p.position = extra && !extra->partName.empty() ? extra->position : -1;
    // Only loaded sheets can have gained formulas; never load a sheet just to save it.
    p.hasFormulas = (extra && extra->hadFormulas) ||
                    (sheets[i]->Loaded() && !sheets[i]->Store().Formulas().empty());
  }
  int modelActive = book.PositionOf(book.ActiveSheet()) - 1;
  StructureEdit edit =
      EditStructure(read, workbookPart_, entryNames, plan, modelActive, book.Styles(), !zip_);

  // The new package.
  std::filesystem::path target(path);
  std::string folder = target.parent_path().empty() ? "." : target.parent_path().string();
  TempFile temp;
  {
    std::string pattern = folder + "/.~" + target.filename().string() + ".XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = ::mkstemp(buf.data());
    if (fd < 0) throw HostError("Save", path, Errno("cannot write in " + folder));
    ::close(fd);
    temp.path = buf.data();
  }
  std::string reason;
  ZipPtr out = OpenZip(temp.path, ZIP_CREATE | ZIP_TRUNCATE, reason);
  if (!out) throw HostError("Save", path, reason);

  SheetWriteOptions options;
  LoadSharedStrings();
  options.sharedStrings = &sharedStrings_;
  std::map<std::string, size_t> lazySizes;
  std::string lazyFailure;
  std::map<std::string, size_t> sheetOfPart;
  for (size_t i = 0; i < sheets.size(); ++i)
    if (rewrite[i]) sheetOfPart[edit.sheets[i].part] = i;

  auto addChanged = [&](const std::string& name) -> bool {
    if (auto it = edit.parts.find(name); it != edit.parts.end()) {
      AddEntry(out.get(), name,
               zip_source_buffer(out.get(), it->second.data(), it->second.size(), 0), true);
      return true;
    }
    if (auto it = sheetOfPart.find(name); it != sheetOfPart.end()) {
      Worksheet* sheet = sheets[it->second].get();
      bool selected = edit.sheets[it->second].tabSelected;
      auto* part = new LazyPart;
      zip_error_init(&part->error);
      part->make = [sheet, selected, &options]() {
        SheetWriteOptions o = options;
        o.tabSelected = selected;
        return WriteSheetXml(*sheet, ExtraOf(*sheet), o);
      };
      part->producedSize = &lazySizes[name];
      part->failure = &lazyFailure;
      zip_source_t* source = zip_source_function(out.get(), LazyCallback, part);
      if (!source) {
        zip_error_fini(&part->error);
        delete part;
      }
      AddEntry(out.get(), name, source, true);
      return true;
    }
    return false;
  };
  std::set<std::string> written;
  for (size_t i = 0; i < entryNames.size(); ++i) {
    const std::string& name = entryNames[i];
    if (edit.dropped.count(name) || !written.insert(name).second) continue;
    if (addChanged(name)) continue;
    if (!zip_) continue;
    AddEntry(out.get(), name, zip_source_zip(out.get(), zip_.get(), i, ZIP_FL_COMPRESSED, 0, -1),
             false);
  }
  for (const std::string& name : edit.added)
    if (written.insert(name).second) addChanged(name);

  if (!CommitZip(out, reason))
    throw HostError("Save", path, lazyFailure.empty() ? reason : lazyFailure);

  // Check what was written before it replaces anything.
  {
    ZipPtr check = OpenZip(temp.path, ZIP_RDONLY | ZIP_CHECKCONS, reason);
    if (!check) throw HostError("Save", path, "the written file does not read back: " + reason);
    if (zip_get_num_entries(check.get(), 0) != static_cast<zip_int64_t>(written.size()))
      throw HostError("Save", path, "the written file is incomplete");
    for (const std::string& name : written) {
      zip_int64_t index = FindEntry(check.get(), name);
      if (index < 0) throw HostError("Save", path, "the written file lacks " + name);
      if (auto it = edit.parts.find(name); it != edit.parts.end()) {
        if (ReadEntry(check.get(), index) != it->second)
          throw HostError("Save", path, "the written file differs in " + name);
      } else if (auto lz = lazySizes.find(name); lz != lazySizes.end()) {
        if (ReadEntry(check.get(), index).size() != lz->second)
          throw HostError("Save", path, "the written file differs in " + name);
      } else {
        zip_stat_t a, b;
        zip_stat_index(check.get(), static_cast<zip_uint64_t>(index), 0, &a);
        zip_stat(zip_.get(), name.c_str(), ZIP_FL_ENC_RAW, &b);
        if (a.crc != b.crc || a.comp_size != b.comp_size)
          throw HostError("Save", path, "the written file differs in " + name);
      }
    }
  }
  if (testing::g_failNextSave) {
    std::string why = *testing::g_failNextSave;
    testing::g_failNextSave.reset();
    throw HostError("Save", path, why);
  }

  struct stat st;
  mode_t mode = 0666;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::chmod(temp.path.c_str(), mode) != 0) throw HostError("Save", path, Errno("chmod"));
  try {
    SyncPath(temp.path, O_RDONLY);
  } catch (const std::exception& e) {
    throw HostError("Save", path, e.what());
  }
  if (::rename(temp.path.c_str(), path.c_str()) != 0)
    throw HostError("Save", path, Errno("cannot replace the file"));
  temp.keep = true;
  try {
    SyncPath(folder, O_RDONLY | O_DIRECTORY);
  } catch (const std::exception&) {
  }

  // From now on the new file is the package the workbook reads from.
  ZipPtr reopened = OpenZip(path, ZIP_RDONLY, reason);
  if (!reopened) throw HostError("Save", path, "the saved file cannot be opened: " + reason);
  zip_ = std::move(reopened);
  virtual_.clear();
  virtualOrder_.clear();
  path_ = path;
  workbookPart_ = edit.workbookPart;
  for (size_t i = 0; i < sheets.size(); ++i) {
    XlsxSheetExtra* extra = ExtraOf(*sheets[i]);
    if (!extra) {
      sheets[i]->SetExtra(std::make_unique<XlsxSheetExtra>());
      extra = ExtraOf(*sheets[i]);
    }
    const SheetPlanResult& r = edit.sheets[i];
    extra->partName = r.part;
    extra->relId = r.relId;
    extra->sheetId = r.sheetId;
    extra->position = static_cast<int>(i);
    extra->tabActive = r.tabActive;
    if (rewrite[i]) extra->hadFormulas = !sheets[i]->Store().Formulas().empty();
  }
}

}  // namespace host::xlsx
