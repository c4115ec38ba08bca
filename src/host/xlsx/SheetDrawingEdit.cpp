#include "host/xlsx/SheetDrawingEdit.h"

#include <set>
#include <stdexcept>

#include "host/AsciiText.h"
#include "host/xlsx/DrawingPart.h"
#include "host/xlsx/PartTypes.h"
#include "host/xlsx/RelationshipsPart.h"
#include "host/xlsx/Xml.h"

namespace host::xlsx {

namespace {

// "xl/drawings/_rels/drawing1.xml.rels" -> "xl/drawings/drawing1.xml".
std::string SourceOfRels(const std::string& rels) {
  const size_t at = rels.rfind("_rels/");
  return rels.substr(0, at) + rels.substr(at + 6, rels.size() - at - 6 - 5);
}

// Parts that relationship parts the save keeps still point to (lower case).
std::set<std::string> StillUsed(const DrawingEdit& d) {
  std::set<std::string> used;
  for (const std::string& name : d.entryNames) {
    if (!EndsWith(name, ".rels") || name.find("_rels/") == std::string::npos) continue;
    if (d.edit.dropped.count(name)) continue;
    std::string xml;
    if (!d.read(name, xml)) continue;
    for (const Rel& rel : ParseRels(xml, SourceOfRels(name)))
      if (!rel.external) used.insert(AsciiLower(rel.target));
  }
  return used;
}

void DropDrawing(DrawingEdit& d, const std::string& drawing) {
  d.edit.dropped.insert(drawing);
  d.contentTypes.RemoveOverrides({drawing});
  const std::string rels = RelsPartOf(drawing);
  std::string xml;
  if (!d.read(rels, xml)) return;
  d.edit.dropped.insert(rels);
  const std::set<std::string> used = StillUsed(d);
  for (const Rel& rel : ParseRels(xml, drawing))
    if (!rel.external && EndsWith(rel.type, "/image") && !used.count(AsciiLower(rel.target))) {
      d.edit.dropped.insert(rel.target);
      d.contentTypes.RemoveOverrides({rel.target});
    }
}

std::string AddDrawing(DrawingEdit& d, const std::vector<SheetImage>& images) {
  const std::string drawing = d.names.TakeNumbered("xl/drawings/drawing", ".xml");
  RelationshipsEditor rels(drawing);
  rels.Load(kEmptyRels);
  std::vector<std::string> ids;
  for (const SheetImage& image : images) {
    const std::string media = d.names.TakeNumbered("xl/media/image", ".png");
    ids.push_back(rels.Add(kImageRel, media));
    d.edit.parts[media] = image.png;
    d.edit.added.push_back(media);
  }
  d.edit.parts[drawing] = DrawingXml(images, ids);
  d.edit.parts[RelsPartOf(drawing)] = rels.Xml();
  d.edit.added.push_back(drawing);
  d.edit.added.push_back(RelsPartOf(drawing));
  d.contentTypes.AddOverride(drawing, kDrawingType);
  d.contentTypes.AddDefault("png", "image/png");
  return drawing;
}

}  // namespace

std::string ReplaceSheetDrawing(DrawingEdit& d, const std::string& sheetPart,
                                const std::vector<SheetImage>& images) {
  const std::string relsPart = RelsPartOf(sheetPart);
  std::string xml;
  const bool hadRels = d.read(relsPart, xml);
  RelationshipsEditor rels(sheetPart);
  if (!rels.Load(hadRels ? xml : kEmptyRels))
    throw std::runtime_error("the relationships of sheet part " + sheetPart + " are damaged");
  for (const std::string& drawing : rels.RemoveOfType("/drawing")) DropDrawing(d, drawing);
  std::string id;
  if (!images.empty()) id = rels.Add(kDrawingRel, AddDrawing(d, images));
  if (rels.Changed()) {
    d.edit.parts[relsPart] = rels.Xml();
    if (!hadRels) d.edit.added.push_back(relsPart);
  }
  return id;
}

}  // namespace host::xlsx
