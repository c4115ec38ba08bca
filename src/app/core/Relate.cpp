#include "app/core/Relate.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "analysis/Bootstrap.h"
#include "analysis/Newick.h"
#include "analysis/Pcoa.h"
#include "app/core/TextFile.h"
#include "exchange/DistanceFiles.h"
#include "picture/Render.h"
#include "picture/TreePicture.h"
#include "report/RelatePictures.h"

namespace app {
namespace {

std::vector<std::string_view> Extensions(RelateFile file) {
  switch (file) {
    case RelateFile::Newick:
      return {".nwk", ".tre"};
    case RelateFile::PhylipMatrix:
      return {".phy"};
    case RelateFile::TreeSvg:
    case RelateFile::MapSvg:
      return {".svg"};
    case RelateFile::TreePng:
    case RelateFile::MapPng:
      return {".png"};
    case RelateFile::DistanceTable:
    case RelateFile::CoordinateTable:
      break;
  }
  return {".tsv", ".txt"};
}

picture::ImageFormat ImageOf(RelateFile file) {
  return file == RelateFile::TreePng || file == RelateFile::MapPng ? picture::ImageFormat::Png
                                                                   : picture::ImageFormat::Svg;
}

void WriteTree(const analysis::DistanceMatrix& d, const store::GenotypeStore& s,
               const RelateRequest& request, RelateResult& result) {
  analysis::TreeOutcome built = analysis::BuildTree(d, request.method);
  result.withoutDistance = std::move(built.withoutDistance);
  if (!built.tree) return;
  analysis::Tree& tree = *built.tree;
  result.tiedJoins = tree.tiedJoins;
  if (request.bootstrap > 0)
    result.replicatesWithoutTree =
        analysis::Bootstrap(tree, s, request.distance, request.bootstrap, analysis::kBootstrapSeed,
                            request.onReplicate)
            .withoutTree;
  if (request.file == RelateFile::Newick)
    result.text = analysis::WriteNewick(tree) + '\n';
  else
    result.text = picture::Render(
        picture::TreeScene(tree, report::DistanceCaption(request.distance)), ImageOf(request.file));
}

void DrawMap(const analysis::DistanceMatrix& d, const analysis::PrincipalCoordinates& pcoa,
             const report::GenotypeRead& read, const RelateRequest& request, RelateResult& result) {
  const auto groups = report::MapGroupsOf(read.populations);
  const picture::Scene scene = picture::PcoaScene(pcoa, d.Names(), groups ? &*groups : nullptr,
                                                  report::DistanceCaption(request.distance));
  result.text = picture::Render(scene, ImageOf(request.file));
}

void WriteCoordinates(const analysis::DistanceMatrix& d, const report::GenotypeRead& read,
                      const RelateRequest& request, RelateResult& result) {
  analysis::PcoaOutcome done = analysis::PrincipalCoordinateAnalysis(d);
  result.withoutDistance = std::move(done.withoutDistance);
  if (!done.pcoa) return;
  if (request.file != RelateFile::CoordinateTable)
    return DrawMap(d, *done.pcoa, read, request, result);
  exchange::DistanceText table = exchange::CoordinateTable(d.Names(), *done.pcoa);
  result.text = std::move(table.text);
  result.varieties = std::move(table.varieties);
}

void WriteDistances(const analysis::DistanceMatrix& d, RelateFile file, RelateResult& result) {
  result.withoutDistance = d.PairsWithoutDistance();
  // PHYLIP has no way to leave a distance out.
  if (file == RelateFile::PhylipMatrix && !result.withoutDistance.empty()) return;
  exchange::DistanceText table =
      file == RelateFile::PhylipMatrix ? exchange::PhylipMatrix(d) : exchange::DistanceTable(d);
  result.text = std::move(table.text);
  result.varieties = std::move(table.varieties);
}

}  // namespace

std::optional<RelateFile> RelateFileOf(const std::string& path,
                                       const std::vector<RelateFile>& accepted) {
  if (path.empty() || path == "-") return accepted.front();
  const std::string extension = LowerExtension(path);
  for (const RelateFile file : accepted)
    for (const std::string_view e : Extensions(file))
      if (e == extension) return file;
  // /dev/stdout and the like: what "-" says, by another name.
  if (IsStandardOutput(path)) return accepted.front();
  return std::nullopt;
}

std::string RelateExtensions(const std::vector<RelateFile>& accepted) {
  std::vector<std::string_view> listed;
  for (const RelateFile file : accepted)
    for (const std::string_view e : Extensions(file))
      if (std::find(listed.begin(), listed.end(), e) == listed.end()) listed.push_back(e);
  return fmt::format("{}", fmt::join(listed, ", "));
}

RelateResult RelateSource(Session& session, const std::string& sheet,
                          const RelateRequest& request) {
  CheckedSource source = ReadCheckedSource(session, sheet);
  RelateResult result;
  result.problems = std::move(source.problems);
  if (!result.problems.empty()) return result;
  const store::GenotypeStore& s = *source.read.store;
  const analysis::DistanceMatrix d = analysis::VarietyDistances(s, request.distance);
  switch (request.file) {
    case RelateFile::Newick:
    case RelateFile::TreeSvg:
    case RelateFile::TreePng:
      WriteTree(d, s, request, result);
      break;
    case RelateFile::CoordinateTable:
    case RelateFile::MapSvg:
    case RelateFile::MapPng:
      WriteCoordinates(d, source.read, request, result);
      break;
    case RelateFile::DistanceTable:
    case RelateFile::PhylipMatrix:
      WriteDistances(d, request.file, result);
      break;
  }
  return result;
}

}  // namespace app
