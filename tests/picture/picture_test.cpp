// The pictures of trees and principal coordinates: every name drawn once and
// legible (no two texts overlap, Japanese names get real glyphs), trees that
// grow with their varieties, a midpoint root, and files a reader decodes.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/Bootstrap.h"
#include "analysis/Distances.h"
#include "analysis/Pcoa.h"
#include "analysis/Trees.h"
#include "app/core/Session.h"
#include "picture/MapPicture.h"
#include "picture/Render.h"
#include "picture/RootedTree.h"
#include "picture/Text.h"
#include "picture/TreePicture.h"

namespace {

using analysis::TreeMethod;
using picture::Label;
using picture::LabelRole;
using picture::Scene;

std::unique_ptr<store::GenotypeStore> ExampleStore(const std::string& workbook) {
  app::Session session;
  session.Open(std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + workbook);
  for (const std::string& name : session.SheetNames())
    if (app::IsSourceName(name)) return std::move(session.ReadGenotypes(name).store);
  throw std::runtime_error("no source sheet in " + workbook);
}

// n varieties in a few loose clusters, with long and Japanese names.
analysis::DistanceMatrix Synthetic(int n) {
  std::vector<std::string> names;
  for (int v = 1; v <= n; ++v)
    names.push_back(v % 3 ? "Variety " + std::to_string(v) : "コシヒカリ系統" + std::to_string(v));
  analysis::DistanceMatrix d(names);
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      const double x = std::sqrt(2.0) * (i * 977 + j);
      d.Set(i, j, (i % 5 == j % 5 ? 0.3 : 0.8) + 0.2 * (x - std::floor(x)));
    }
  return d;
}

std::vector<std::string> TextsOf(const Scene& scene, LabelRole role) {
  std::vector<std::string> texts;
  for (const Label& l : scene.labels)
    if (l.role == role) texts.push_back(l.text);
  std::sort(texts.begin(), texts.end());
  return texts;
}

void ExpectNoOverlap(const Scene& scene) {
  for (size_t a = 0; a < scene.labels.size(); ++a)
    for (size_t b = a + 1; b < scene.labels.size(); ++b)
      ASSERT_FALSE(picture::Overlap(scene.labels[a], scene.labels[b]))
          << scene.labels[a].text << " / " << scene.labels[b].text;
  for (const Label& l : scene.labels) {
    EXPECT_GE(l.x, 0) << l.text;
    EXPECT_LE(l.x + l.width, scene.width) << l.text;
    EXPECT_LE(l.y + l.height, scene.height) << l.text;
  }
}

// Every name drawn exactly once, and nothing written over anything else.
void ExpectEveryNameOnce(const Scene& scene, LabelRole role, std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  EXPECT_EQ(TextsOf(scene, role), names);
  ExpectNoOverlap(scene);
}

TEST(TreePictures, ExamplesShowEveryVarietyAndSupportOnceWithoutOverlap) {
  constexpr auto kAlleles = analysis::DistanceKind::Alleles;
  for (const char* workbook : {"ssr_example.xlsx", "chr_example.xlsx"})
    for (TreeMethod method : {TreeMethod::Upgma, TreeMethod::NeighbourJoining}) {
      SCOPED_TRACE(workbook);
      const auto store = ExampleStore(workbook);
      const analysis::DistanceMatrix d = analysis::VarietyDistances(*store, kAlleles);
      analysis::TreeOutcome tree = analysis::BuildTree(d, method);
      ASSERT_TRUE(tree.tree);
      analysis::Bootstrap(*tree.tree, *store, kAlleles, 20);
      const Scene scene = picture::TreeScene(*tree.tree, "Allele-sharing distance");
      ExpectEveryNameOnce(scene, LabelRole::Leaf, d.Names());
      // Every join but the root: a rooted tree of n varieties has n - 2 of them.
      EXPECT_EQ(TextsOf(scene, LabelRole::Support).size(), d.Names().size() - 2);
      const std::string svg = picture::Render(scene, picture::ImageFormat::Svg);
      EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
      EXPECT_NE(svg.find("</svg>"), std::string::npos);
    }
}

TEST(TreePictures, GrowInHeightWithTheVarietiesAtAFixedPitch) {
  std::map<int, double> height;
  for (int n : {100, 300, 500}) {
    const auto tree = analysis::BuildTree(Synthetic(n), TreeMethod::NeighbourJoining);
    const Scene scene = picture::TreeScene(*tree.tree);
    ExpectEveryNameOnce(scene, LabelRole::Leaf, Synthetic(n).Names());
    height[n] = scene.height;
  }
  const double pitch = (height[500] - height[100]) / 400;
  EXPECT_GE(pitch, picture::kLeafSize);
  EXPECT_NEAR(height[300] - height[100], 200 * pitch, 1);
}

TEST(TreePictures, NeighbourJoiningIsRootedAtTheMidpointOfTheLongestPath) {
  // An additive tree: ((A:1,B:2):1,(C:1,D:6)); the longest path, B to D, is 9
  // and its midpoint lies on D's branch, 1.5 from D's join with C.
  analysis::DistanceMatrix d({"A", "B", "C", "D"});
  const double upper[] = {3, 3, 8, 4, 9, 7};
  int k = 0;
  for (int i = 1; i <= 4; ++i)
    for (int j = i + 1; j <= 4; ++j) d.Set(i, j, upper[k++]);
  const picture::DrawnTree drawn =
      picture::RootForDrawing(*analysis::BuildTree(d, TreeMethod::NeighbourJoining).tree);
  std::map<std::string, double> depth;
  auto walk = [&](auto& self, int node, double at) -> void {
    const picture::DrawnNode& n = drawn.nodes[static_cast<size_t>(node)];
    if (n.children.empty()) depth[n.name] = at + n.length;
    for (int child : n.children) self(self, child, at + n.length);
  };
  walk(walk, drawn.root, 0);
  ASSERT_EQ(drawn.nodes[static_cast<size_t>(drawn.root)].children.size(), 2u);
  EXPECT_NEAR(depth["B"], 4.5, 1e-9);
  EXPECT_NEAR(depth["D"], 4.5, 1e-9);
  EXPECT_NEAR(depth["A"], 3.5, 1e-9);
  EXPECT_NEAR(depth["C"], 2.5, 1e-9);
}

TEST(MapPictures, NamesAndLegendWithoutOverlapFromFewToMaximal) {
  for (int n : {12, 500}) {
    SCOPED_TRACE(n);
    const analysis::DistanceMatrix d = Synthetic(n);
    const auto pcoa = analysis::PrincipalCoordinateAnalysis(d).pcoa;
    ASSERT_TRUE(pcoa);
    picture::MapGroups groups{{"Early", "Late", "Glutinous"}, {}};
    for (int v = 0; v < n; ++v) groups.groupOf.push_back(v % 4 == 3 ? -1 : v % 4);
    const Scene scene = picture::PcoaScene(*pcoa, d.Names(), &groups);
    ExpectEveryNameOnce(scene, LabelRole::Point, d.Names());
    EXPECT_EQ(TextsOf(scene, LabelRole::Legend),
              (std::vector<std::string>{"Early", "Glutinous", "Late", "No group"}));
    const std::vector<std::string> titles = TextsOf(scene, LabelRole::Title);
    EXPECT_EQ(std::count_if(titles.begin(), titles.end(),
                            [](const std::string& t) { return t.find(" %)") != t.npos; }),
              2);
  }
}

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::string*>(closure);
  if (bytes->size() < length) return CAIRO_STATUS_READ_ERROR;
  std::copy(bytes->begin(), bytes->begin() + length, data);
  bytes->erase(0, length);
  return CAIRO_STATUS_SUCCESS;
}

// The dark pixels of a PNG, or -1 when it does not decode at the scene's size.
long DarkPixels(std::string png, const Scene& scene, double scale) {
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(ReadBytes, &png);
  long dark = -1;
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(image) == picture::PngSize(scene, scale).width &&
      cairo_image_surface_get_height(image) == picture::PngSize(scene, scale).height) {
    dark = 0;
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < cairo_image_surface_get_height(image); ++y)
      for (int x = 0; x < cairo_image_surface_get_width(image); ++x)
        dark += data[y * stride + x * 4 + 1] < 128;  // green of xRGB
  }
  cairo_surface_destroy(image);
  return dark;
}

// Glyphs the fonts lack, which pango draws as boxes holding their codes.
int MissingGlyphs(const std::string& text) {
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  PangoLayout* layout = picture::MakeLayout(context, text, 20);
  const int missing = pango_layout_get_unknown_glyphs_count(layout);
  g_object_unref(layout);
  g_object_unref(context);
  return missing;
}

TEST(PictureFiles, PngDecodesAtItsSizeAndJapaneseNamesGetGlyphs) {
  EXPECT_GT(MissingGlyphs("\uE000\uE001"), 0);  // the check itself sees boxes
  EXPECT_EQ(MissingGlyphs("コシヒカリ 日本晴 ゆめぴりか Apple-03"), 0);
  auto oneName = [](const std::string& text) {
    Scene scene{200, 40, {}, {}, {}};
    const picture::TextSize size = picture::MeasureText(text, 20);
    scene.labels.push_back({text, 4, 4, size.width, size.height, 20, false, {}, LabelRole::Leaf});
    return scene;
  };
  const Scene many = oneName("日本晴"), few = oneName("一二三");
  EXPECT_EQ(picture::PngSize(many, 2).width, 400);
  EXPECT_EQ(picture::PngSize(many, 2).height, 80);
  const long ink = DarkPixels(picture::Render(many, picture::ImageFormat::Png), many, 1);
  const long less = DarkPixels(picture::Render(few, picture::ImageFormat::Png), few, 1);
  EXPECT_GT(less, 0);
  EXPECT_GT(ink, 2 * less);  // 日本晴 has far more strokes than 一二三
  EXPECT_GT(DarkPixels(picture::Render(many, picture::ImageFormat::Png, 2), many, 2), 3 * ink);
}

TEST(PictureFiles, FormatFollowsTheExtension) {
  EXPECT_EQ(picture::FormatOfPath("tree.SVG"), picture::ImageFormat::Svg);
  EXPECT_EQ(picture::FormatOfPath("/tmp/map.png"), picture::ImageFormat::Png);
  EXPECT_EQ(picture::FormatOfPath("tree.nwk"), std::nullopt);
}

}  // namespace
