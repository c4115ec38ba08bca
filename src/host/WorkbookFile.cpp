// Opening workbook files: the content decides the backend, not the extension,
// so a renamed file still opens and a non-workbook gets a clear reason.
#include "host/WorkbookFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "host/xls/XlsImport.h"
#include "host/xlsx/XlsxBackend.h"

namespace host {

namespace {

// An encrypted .xlsx is a compound document holding an EncryptionInfo stream;
// its directory names that stream in UTF-16.
bool HoldsEncryptionInfo(std::ifstream& in) {
  static const std::string kName = [] {
    std::string name;
    for (char c : std::string("EncryptionInfo")) {
      name += c;
      name += '\0';
    }
    return name;
  }();
  in.clear();
  in.seekg(0);
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return data.find(kName) != std::string::npos;
}

}  // namespace

std::unique_ptr<Workbook> OpenWorkbookFile(Application& app, const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
    throw OpenError(path, FailureCode::FileMissing, "the file does not exist");
  if (std::filesystem::is_directory(path, ec))
    throw OpenError(path, FailureCode::IsFolder, "this is a folder, not a file");
  // A named pipe or a device would block the open or never end.
  if (!std::filesystem::is_regular_file(path, ec))
    throw OpenError(path, FailureCode::NotRegularFile,
                    "this is not a regular file (a pipe, device or socket)");
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw OpenError(path, FailureCode::FileUnreadable, "the file cannot be read (no permission?)");
  unsigned char magic[8] = {};
  in.read(reinterpret_cast<char*>(magic), sizeof magic);
  std::streamsize got = in.gcount();
  if (got == 0) throw OpenError(path, FailureCode::FileEmpty, "the file is empty");
  if (got >= 4 && magic[0] == 'P' && magic[1] == 'K' && (magic[2] == 3 || magic[2] == 5))
    return xlsx::XlsxBackend::Open(app, path);
  static const unsigned char kOle[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  if (got == 8 && std::equal(magic, magic + 8, kOle)) {
    if (HoldsEncryptionInfo(in))
      throw OpenError(path, FailureCode::Encrypted, "the workbook is encrypted with a password");
    return xls::ImportXls(app, path);
  }
  throw OpenError(path, FailureCode::NotWorkbook,
                  "the file is not a workbook (.xlsx, .xlsm or .xls)");
}

std::unique_ptr<WorkbookBackend> NewXlsxBackend() { return std::make_unique<xlsx::XlsxBackend>(); }

}  // namespace host
