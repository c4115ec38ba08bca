#pragma once
// The package's structure parts: content types, relationships, workbook.xml
// and the document properties. Read at open (PackageParts.cpp); edited at
// save to follow the model's sheet list (new sheets, order, names,
// visibility) by StructureEdit.cpp, one editor per part.
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/HostFailure.h"
#include "host/Styles.h"
#include "host/Worksheet.h"

namespace host::xlsx {

using PartReader = std::function<bool(const std::string& name, std::string& out)>;

struct SheetEntry {
  std::string name, relId, part;
  int sheetId = 0;
  bool hidden = false;
  bool worksheet = true;
};

struct PackageStructure {
  std::string workbookPart;
  std::string stylesPart;
  std::string sharedStringsPart;
  std::vector<SheetEntry> sheets;
  int activeTab = 0;
};

// A package that is not a workbook this program can edit.
class PackageRefusal : public std::runtime_error {
 public:
  PackageRefusal(FailureCode code, const char* reason) : std::runtime_error(reason), code_(code) {}
  FailureCode Code() const { return code_; }

 private:
  FailureCode code_;
};

// Throws PackageRefusal for a package of another kind (not a workbook, Strict
// form), std::runtime_error for a damaged one.
PackageStructure ReadPackageStructure(const PartReader& read);

// One model sheet, in model order, as the save sees it.
struct SheetPlan {
  std::string name;
  bool hidden = false;
  bool rewrite = false;
  bool worksheet = true;
  bool hasFormulas = false;
  int position = -1;  // index in the package's <sheets>, -1 for a sheet new to the package
  // The pictures that replace the sheet's drawing; null to keep its drawing as it is.
  const std::vector<SheetImage>* images = nullptr;
};

struct SheetPlanResult {
  std::string part, relId;
  int sheetId = 0;
  bool tabSelected = false;  // for a new sheet's view
  bool tabActive = false;    // the workbook's active tab after the save
  std::string drawingRelId;  // of the sheet's new drawing, when it has pictures
};

struct StructureEdit {
  std::string workbookPart;
  std::map<std::string, std::string> parts;  // changed or new parts with their content
  std::set<std::string> dropped;             // parts left out of the new package
  std::vector<std::string> added;            // parts the package did not have (sheets in order)
  std::vector<SheetPlanResult> sheets;       // per model sheet
};

// Works out every structure part the save must change. `entryNames` are the
// package's parts; `modelActive` the model's active sheet (0-based), used
// when the package had no sheets of its own. For a new package every
// structure part is in `parts`.
StructureEdit EditStructure(const PartReader& read, const std::string& workbookPart,
                            const std::vector<std::string>& entryNames,
                            const std::vector<SheetPlan>& plan, int modelActive,
                            const StyleTable& styles, bool newPackage);

// The structure parts of a package with no sheets yet.
std::map<std::string, std::string> NewPackageParts();
std::vector<std::string> NewPackageOrder();

}  // namespace host::xlsx
