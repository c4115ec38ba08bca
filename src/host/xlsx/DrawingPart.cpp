#include "host/xlsx/DrawingPart.h"

#include "host/xlsx/XmlWriter.h"

namespace host::xlsx {

namespace {

constexpr const char* kDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr const char* kMainDrawingNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kRelationshipNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

void Place(XmlWriter& xml, const SheetImage& image) {
  xml.Start("xdr:from");
  xml.Start("xdr:col").Int(image.column - 1).End("xdr:col");
  xml.Start("xdr:colOff").Int(0).End("xdr:colOff");
  xml.Start("xdr:row").Int(image.row - 1).End("xdr:row");
  xml.Start("xdr:rowOff").Int(0).End("xdr:rowOff");
  xml.End("xdr:from");
  xml.Start("xdr:ext")
      .Attr("cx", image.widthPixels * kEmuPerPixel)
      .Attr("cy", image.heightPixels * kEmuPerPixel)
      .End("xdr:ext");
}

void Picture(XmlWriter& xml, const SheetImage& image, int id, const std::string& relId) {
  xml.Start("xdr:pic").Start("xdr:nvPicPr");
  xml.Start("xdr:cNvPr").Attr("id", id + 1).Attr("name", "Picture " + std::to_string(id));
  xml.Attr("descr", image.description).End("xdr:cNvPr");
  xml.Start("xdr:cNvPicPr").Start("a:picLocks").Attr("noChangeAspect", 1).End("a:picLocks");
  xml.End("xdr:cNvPicPr").End("xdr:nvPicPr");
  xml.Start("xdr:blipFill").Start("a:blip").Attr("r:embed", relId).End("a:blip");
  xml.Start("a:stretch").Start("a:fillRect").End("a:fillRect").End("a:stretch");
  xml.End("xdr:blipFill");
  xml.Start("xdr:spPr").Start("a:xfrm");
  xml.Start("a:off").Attr("x", 0).Attr("y", 0).End("a:off");
  xml.Start("a:ext")
      .Attr("cx", image.widthPixels * kEmuPerPixel)
      .Attr("cy", image.heightPixels * kEmuPerPixel)
      .End("a:ext");
  xml.End("a:xfrm");
  xml.Start("a:prstGeom").Attr("prst", "rect").Start("a:avLst").End("a:avLst").End("a:prstGeom");
  xml.End("xdr:spPr").End("xdr:pic");
}

}  // namespace

std::string DrawingXml(const std::vector<SheetImage>& images,
                       const std::vector<std::string>& imageRelIds) {
  std::string out;
  XmlWriter xml(out);
  xml.Declaration();
  xml.Start("xdr:wsDr").Attr("xmlns:xdr", kDrawingNs).Attr("xmlns:a", kMainDrawingNs);
  xml.Attr("xmlns:r", kRelationshipNs);
  for (size_t k = 0; k < images.size(); ++k) {
    xml.Start("xdr:oneCellAnchor");
    Place(xml, images[k]);
    Picture(xml, images[k], static_cast<int>(k) + 1, imageRelIds[k]);
    xml.Start("xdr:clientData").End("xdr:clientData");
    xml.End("xdr:oneCellAnchor");
  }
  xml.End("xdr:wsDr");
  return out;
}

std::string DrawingElementXml(const std::string& relId) {
  std::string out;
  XmlWriter xml(out);
  xml.Start("drawing").Attr("xmlns:r", kRelationshipNs).Attr("r:id", relId).End("drawing");
  return out;
}

}  // namespace host::xlsx
