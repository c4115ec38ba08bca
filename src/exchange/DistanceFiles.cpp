#include "exchange/DistanceFiles.h"

#include <charconv>

namespace exchange {
namespace {

// Tab-separated text is opened in spreadsheets, which run a formula.
std::vector<std::string> TableNames(const std::vector<std::string>& names,
                                    std::vector<Renamed>& renamed) {
  return SafeNames(names, "\t", true, renamed);
}

void AppendNumber(std::string& out, double value) {
  char buffer[64];
  // Adding 0 turns -0 into 0: no "-0".
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0);
  out.append(buffer, end.ptr);
}

void AppendRow(std::string& out, const analysis::DistanceMatrix& d, int i, char separator) {
  for (int j = 1; j <= d.VarietyCount(); ++j) {
    out += separator;
    if (const auto distance = d.At(i, j)) AppendNumber(out, *distance);
  }
  out += '\n';
}

}  // namespace

DistanceText DistanceTable(const analysis::DistanceMatrix& d) {
  DistanceText out;
  const std::vector<std::string> names = TableNames(d.Names(), out.varieties);
  for (const std::string& name : names) out.text += '\t' + name;
  out.text += '\n';
  for (int i = 1; i <= d.VarietyCount(); ++i) {
    out.text += names[i - 1];
    AppendRow(out.text, d, i, '\t');
  }
  return out;
}

DistanceText PhylipMatrix(const analysis::DistanceMatrix& d) {
  DistanceText out;
  const std::vector<std::string> names = SafeNames(d.Names(), " \t", false, out.varieties);
  out.text = std::to_string(d.VarietyCount()) + '\n';
  for (int i = 1; i <= d.VarietyCount(); ++i) {
    std::string name = names[i - 1];
    if (name.size() < 10) name.resize(10, ' ');
    out.text += name;
    AppendRow(out.text, d, i, ' ');
  }
  return out;
}

DistanceText CoordinateTable(const std::vector<std::string>& names,
                             const analysis::PrincipalCoordinates& pcoa) {
  DistanceText out;
  const std::vector<std::string> safe = TableNames(names, out.varieties);
  out.text = "# share";
  for (const double share : pcoa.shares) {
    out.text += '\t';
    AppendNumber(out.text, share);
  }
  out.text += "\nvariety\taxis 1\taxis 2\n";
  for (size_t v = 0; v < safe.size(); ++v) {
    out.text += safe[v];
    for (const double x : pcoa.coordinates[v]) {
      out.text += '\t';
      AppendNumber(out.text, x);
    }
    out.text += '\n';
  }
  return out;
}

}  // namespace exchange
