#include "support/PackageEdit.h"

#include <gtest/gtest.h>
#include <zip.h>

namespace testsupport {

void ReplacePart(const std::string& path, const std::string& name, const std::string& content) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), 0, &err);
  ASSERT_NE(z, nullptr) << path;
  zip_source_t* s = zip_source_buffer(z, content.data(), content.size(), 0);
  ASSERT_GE(zip_file_add(z, name.c_str(), s, ZIP_FL_OVERWRITE), 0) << name;
  ASSERT_EQ(zip_close(z), 0) << path;
}

std::string PartText(const std::string& path, const std::string& name) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  zip_stat_t st;
  std::string out;
  if (z && zip_stat(z, name.c_str(), 0, &st) == 0) {
    out.resize(st.size);
    zip_file_t* f = zip_fopen(z, name.c_str(), 0);
    if (!f || zip_fread(f, out.data(), st.size) != static_cast<zip_int64_t>(st.size)) out.clear();
    if (f) zip_fclose(f);
  }
  if (z) zip_discard(z);
  return out;
}

}  // namespace testsupport
