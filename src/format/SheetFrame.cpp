#include "format/Format.h"

namespace format {

void StartSheet(host::Application& app, host::Worksheet& dst, std::string_view kind,
                std::string_view description) {
  dst.Activate();
  ClearSheet(app);
  if (kind.empty()) return;
  host::Range b2 = dst.GetRange("B2");
  b2.Offset(-1, 0).SetValue(kind);
  b2.Offset(-1, 1).SetValue(description);
}

void CopyBlock(host::Application& app, host::Worksheet& src, const host::Range& from,
               host::Worksheet& dst, const host::Range& to) {
  src.Activate();
  from.Select();
  app.SetCutCopyMode(false);
  from.Copy();
  dst.Activate();
  to.Select();
  dst.Paste();
}

}  // namespace format
