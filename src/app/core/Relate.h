#pragma once
// How a source's varieties relate, as files other programs read: their
// distances, a tree and the principal coordinates.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Trees.h"
#include "app/core/Session.h"
#include "app/core/SourceCheck.h"
#include "exchange/ExportFormat.h"

namespace app {

using DistanceKind = analysis::DistanceKind;
using TreeMethod = analysis::TreeMethod;
using VarietyPair = analysis::VarietyPair;

// The files the relation commands write, chosen by the output's extension.
enum class RelateFile {
  Newick,
  DistanceTable,
  PhylipMatrix,
  CoordinateTable,
  TreeSvg,
  TreePng,
  MapSvg,
  MapPng
};

// The file `path` names for a command that writes one of `accepted`; none
// when its extension is not one of theirs. "-", an empty path and another
// name of standard output take the first of `accepted`.
std::optional<RelateFile> RelateFileOf(const std::string& path,
                                       const std::vector<RelateFile>& accepted);
// The extensions of `accepted`, as the user is told them (".nwk, .tre").
std::string RelateExtensions(const std::vector<RelateFile>& accepted);

struct RelateResult {
  std::vector<DataProblem> problems;  // any: nothing else is filled in
  // Pairs no marker compares. A tree, the coordinates and a PHYLIP matrix
  // then leave `text` empty; a distance table leaves their fields empty.
  std::vector<VarietyPair> withoutDistance;
  std::string text;                          // the file's bytes (a PNG's too)
  std::vector<exchange::Renamed> varieties;  // names the file cannot hold
  int tiedJoins = 0;                         // of the tree: see analysis::Tree
  int replicatesWithoutTree = 0;             // of its bootstrap
};

struct RelateRequest {
  RelateFile file = RelateFile::DistanceTable;
  DistanceKind distance = DistanceKind::Alleles;
  TreeMethod method = TreeMethod::NeighbourJoining;
  int bootstrap = 0;                     // replicates; 0 for none
  std::function<void(int)> onReplicate;  // called after each replicate (from 1)
};

// The file `request` asks for from the source `sheet` of the session's
// workbook. Throws as Session::ReadGenotypes does.
RelateResult RelateSource(Session& session, const std::string& sheet, const RelateRequest& request);

}  // namespace app
