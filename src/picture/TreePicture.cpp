#include "picture/TreePicture.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "messages/PictureTexts.h"
#include "picture/Axis.h"
#include "picture/RootedTree.h"
#include "picture/Text.h"

namespace picture {

namespace {

constexpr double kLabelGap = 4;
constexpr size_t kRowsForTopScale = 40;

struct Placed {
  std::vector<double> x, y;  // per drawn node
  std::vector<int> leaves;   // top to bottom
  double deepest = 0;        // distance from the root to the farthest tip
};

void PlaceDepths(const DrawnTree& tree, int node, double depth, Placed& at) {
  at.x[static_cast<size_t>(node)] = depth;
  at.deepest = std::max(at.deepest, depth);
  const DrawnNode& n = tree.nodes[static_cast<size_t>(node)];
  if (n.children.empty()) at.leaves.push_back(node);
  for (int child : n.children)
    PlaceDepths(tree, child, depth + tree.nodes[static_cast<size_t>(child)].length, at);
}

// A join sits halfway between its first and last child.
double PlaceRows(const DrawnTree& tree, int node, Placed& at) {
  const DrawnNode& n = tree.nodes[static_cast<size_t>(node)];
  if (!n.children.empty())
    at.y[static_cast<size_t>(node)] =
        (PlaceRows(tree, n.children.front(), at) + PlaceRows(tree, n.children.back(), at)) / 2;
  for (size_t k = 1; k + 1 < n.children.size(); ++k) PlaceRows(tree, n.children[k], at);
  return at.y[static_cast<size_t>(node)];
}

// Rows at a pitch that fits the tallest name; returns the pitch.
double LayOut(const DrawnTree& tree, double left, double top, Placed& at) {
  at.x.assign(tree.nodes.size(), 0);
  at.y.assign(tree.nodes.size(), 0);
  PlaceDepths(tree, tree.root, 0, at);
  double pitch = 0;
  for (int leaf : at.leaves)
    pitch =
        std::max(pitch, MeasureText(tree.nodes[static_cast<size_t>(leaf)].name, kLeafSize).height);
  pitch = std::ceil(pitch) + 2;
  for (size_t row = 0; row < at.leaves.size(); ++row)
    at.y[static_cast<size_t>(at.leaves[row])] = top + pitch * (static_cast<double>(row) + 0.5);
  PlaceRows(tree, tree.root, at);
  const double scale = at.deepest > 0 ? kTreeWidth / at.deepest : 0;
  for (double& x : at.x) x = left + x * scale;
  return pitch;
}

void AddBranches(Scene& scene, const DrawnTree& tree, const Placed& at) {
  for (size_t node = 0; node < tree.nodes.size(); ++node) {
    const DrawnNode& n = tree.nodes[node];
    for (int child : n.children) {
      const auto c = static_cast<size_t>(child);
      scene.lines.push_back({at.x[node], at.y[c], at.x[c], at.y[c], 1.2, kInk});
    }
    if (!n.children.empty())
      scene.lines.push_back({at.x[node], at.y[static_cast<size_t>(n.children.front())], at.x[node],
                             at.y[static_cast<size_t>(n.children.back())], 1.2, kInk});
  }
}

// A support sits left of its join, above the branch or, where that is taken,
// below it.
void AddSupports(Scene& scene, const DrawnTree& tree, const Placed& at) {
  for (size_t node = 0; node < tree.nodes.size(); ++node) {
    if (!tree.nodes[node].support) continue;
    const std::string text = fmt::format("{:.0f}", *tree.nodes[node].support);
    Label label = AddLabel(scene, text, 0, 0, kSupportSize, LabelRole::Support, kFaint);
    scene.labels.pop_back();
    label.x = at.x[node] - label.width - 2;
    label.y = at.y[node] - label.height;
    auto taken = [&] {
      return std::any_of(scene.labels.begin(), scene.labels.end(),
                         [&](const Label& other) { return Overlap(label, other); });
    };
    if (taken()) label.y = at.y[node];
    if (!taken()) scene.labels.push_back(label);
  }
}

}  // namespace

Scene TreeScene(const analysis::Tree& tree, const std::string& caption) {
  using namespace msg::picture;
  const bool upgma = tree.method == analysis::TreeMethod::Upgma;
  const DrawnTree drawn = RootForDrawing(tree);
  Scene scene;
  const Label& title = AddLabel(scene, std::string(upgma ? kUpgmaTitle : kNeighbourJoiningTitle),
                                kMargin, kMargin, kTitleSize + 2, LabelRole::Title);
  double top = title.y + title.height + 2;
  double right = title.x + title.width;
  std::vector<std::string> notes;
  if (!caption.empty()) notes.push_back(caption);
  if (tree.replicates > 0)
    notes.push_back(fmt::format(fmt::runtime(kSupportNote), tree.replicates));
  for (const std::string& note : notes) {
    const Label& l = AddLabel(scene, note, kMargin, top, kTickSize + 1, LabelRole::Title, kFaint);
    top = l.y + l.height + 2;
    right = std::max(right, l.x + l.width);
  }
  top += 8;
  // A tree taller than a screen gets its scale at the top as well.
  const bool topScale = tree.nodes.size() > 2 * kRowsForTopScale;
  const double scaleTop = top;
  if (topScale) top += TopScaleHeight() + 4;

  Placed at;
  const double pitch = LayOut(drawn, kMargin + 8, top, at);
  AddBranches(scene, drawn, at);
  for (int leaf : at.leaves) {
    const auto n = static_cast<size_t>(leaf);
    Label& label = AddLabel(scene, drawn.nodes[n].name, at.x[n] + kLabelGap, at.y[n], kLeafSize,
                            LabelRole::Leaf);
    label.y -= label.height / 2;
    right = std::max(right, label.x + label.width);
  }
  AddSupports(scene, drawn, at);

  AxisPlan axis;
  axis.high = at.deepest;
  axis.across = top + pitch * static_cast<double>(at.leaves.size()) + 6;
  axis.scale = at.deepest > 0 ? kTreeWidth / at.deepest : 0;
  axis.offset = kMargin + 8;
  axis.title = std::string(upgma ? kJoinHeightAxis : kBranchLengthAxis);
  if (upgma) {
    // A join's height is the distance between its clusters, twice the path
    // down to a variety; heights count from the varieties at the right.
    axis.high = 2 * at.deepest;
    axis.offset += kTreeWidth;
    axis.scale = -axis.scale / 2;
  }
  if (topScale) AddTopScale(scene, axis, scaleTop);
  const double bottom = AddHorizontalAxis(scene, axis);
  scene.width = std::ceil(std::max(right, kMargin + 8 + kTreeWidth) + kMargin);
  scene.height = std::ceil(bottom + kMargin);
  return scene;
}

}  // namespace picture
