#include "report/RelatePictures.h"

#include <algorithm>
#include <utility>

#include "analysis/Trees.h"
#include "messages/PictureTexts.h"
#include "picture/Render.h"
#include "picture/TreePicture.h"

namespace report {
namespace {

// A sheet's default row (15 points) and column (8.43 characters) in pixels.
constexpr int kRowPixels = 20;
constexpr int kColumnPixels = 64;
constexpr int kFirstRow = 4, kFirstColumn = 2;  // B4

host::SheetImage SheetPicture(const picture::Scene& scene, std::string_view description) {
  const picture::PixelSize size = picture::PngSize(scene);
  return {picture::Render(scene, picture::ImageFormat::Png),
          kFirstRow,
          kFirstColumn,
          size.width,
          size.height,
          std::string(description)};
}

std::optional<host::SheetImage> TreePicture(const analysis::DistanceMatrix& d,
                                            analysis::TreeMethod method, const std::string& caption,
                                            std::string_view description) {
  const analysis::TreeOutcome built = analysis::BuildTree(d, method);
  if (!built.tree) return std::nullopt;
  return SheetPicture(picture::TreeScene(*built.tree, caption), description);
}

}  // namespace

std::optional<picture::MapGroups> MapGroupsOf(const std::vector<std::string>& populations) {
  picture::MapGroups groups;
  for (const std::string& population : populations) {
    if (population.empty()) {
      groups.groupOf.push_back(-1);
      continue;
    }
    auto at = std::find(groups.names.begin(), groups.names.end(), population);
    if (at == groups.names.end()) at = groups.names.insert(at, population);
    groups.groupOf.push_back(static_cast<int>(at - groups.names.begin()));
  }
  if (groups.names.empty()) return std::nullopt;
  return groups;
}

std::string DistanceCaption(analysis::DistanceKind kind) {
  return std::string(kind == analysis::DistanceKind::Markers ? msg::picture::kMarkersCaption
                                                             : msg::picture::kAllelesCaption);
}

std::vector<host::SheetImage> TreeSheetPictures(const analysis::DistanceMatrix& d,
                                                const analysis::PcoaOutcome& done,
                                                const std::vector<std::string>& populations) {
  const std::string caption = DistanceCaption(analysis::DistanceKind::Alleles);
  const auto upgma =
      TreePicture(d, analysis::TreeMethod::Upgma, caption, msg::picture::kUpgmaTitle);
  const auto nj = TreePicture(d, analysis::TreeMethod::NeighbourJoining, caption,
                              msg::picture::kNeighbourJoiningTitle);
  if (!upgma || !nj || !done.pcoa) return {};
  const auto groups = MapGroupsOf(populations);
  std::vector<host::SheetImage> images{
      *upgma, *nj,
      SheetPicture(picture::PcoaScene(*done.pcoa, d.Names(), groups ? &*groups : nullptr, caption),
                   msg::picture::kPcoaTitle)};
  // Each picture a column clear of the one before.
  for (size_t i = 1; i < images.size(); ++i)
    images[i].column =
        images[i - 1].column + (images[i - 1].widthPixels + kColumnPixels - 1) / kColumnPixels + 1;
  return images;
}

int RowBelowPictures(const std::vector<host::SheetImage>& images, int lowest) {
  int row = lowest;
  for (const host::SheetImage& image : images)
    row = std::max(row, image.row + (image.heightPixels + kRowPixels - 1) / kRowPixels + 1);
  return row;
}

}  // namespace report
