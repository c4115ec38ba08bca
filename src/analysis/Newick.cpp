#include "analysis/Newick.h"

#include <charconv>
#include <cmath>

namespace analysis {
namespace {

// The shortest fixed-point text that reads back as the same number: no
// exponent, which some readers refuse.
void AppendNumber(std::string& out, double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  out.append(buffer, end.ptr);
}

void AppendNode(const Tree& tree, int node, std::string& out) {
  const TreeNode& t = tree.nodes[node];
  if (tree.IsLeaf(node)) {
    out += NewickName(t.name);
  } else {
    out += '(';
    for (size_t c = 0; c < t.children.size(); ++c) {
      if (c > 0) out += ',';
      AppendNode(tree, t.children[c], out);
    }
    out += ')';
    if (const auto percent = tree.SupportPercent(node))
      out += std::to_string(std::lround(*percent));
  }
  if (t.parent >= 0) {
    out += ':';
    AppendNumber(out, t.length);
  }
}

}  // namespace

std::string NewickName(std::string_view name) {
  const bool plain =
      !name.empty() && name.find_first_of(" \t\r\n\v\f_()[]:;,'") == std::string_view::npos;
  if (plain) return std::string(name);
  std::string out = "'";
  for (const char c : name) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

std::string WriteNewick(const Tree& tree) {
  std::string out;
  if (!tree.nodes.empty()) AppendNode(tree, tree.Root(), out);
  return out + ";";
}

}  // namespace analysis
