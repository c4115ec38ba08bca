#include "support/ZipBomb.h"

#include <zip.h>
#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace {

struct Entry {
  std::string name, data;  // data raw-deflated
  uint32_t crc = 0;
  uint64_t size = 0;
};

// Raw deflate of `input` ending with `flush`: Z_FULL_FLUSH resets the history,
// so the same input always gives the same bytes and copies can be chained.
std::string Deflate(const std::string& input, int flush) {
  z_stream z{};
  if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2");
  std::string out(deflateBound(&z, input.size()) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  z.avail_in = static_cast<uInt>(input.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, flush);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

Entry Repeated(const RepeatedPart& p) {
  Entry e{p.name, Deflate(p.head, Z_FULL_FLUSH), 0, 0};
  const std::string block = Deflate(p.block, Z_FULL_FLUSH);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(p.head.data()), p.head.size());
  const uLong blockCrc = crc32(0, reinterpret_cast<const Bytef*>(p.block.data()), p.block.size());
  for (uint64_t i = 0; i < p.repeat; ++i) {
    e.data += block;
    crc = crc32_combine(crc, blockCrc, static_cast<z_off_t>(p.block.size()));
  }
  e.data += Deflate(p.tail, Z_FINISH);
  e.crc = static_cast<uint32_t>(
      crc32_combine(crc, crc32(0, reinterpret_cast<const Bytef*>(p.tail.data()), p.tail.size()),
                    static_cast<z_off_t>(p.tail.size())));
  e.size = p.head.size() + p.block.size() * p.repeat + p.tail.size();
  if (e.size >= 0xFFFFFFFFu) throw std::runtime_error("part too large for this writer");
  return e;
}

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Header(const Entry& e, bool central, uint32_t offset) {
  std::string h;
  Put(h, central ? 0x02014b50 : 0x04034b50, 4);
  if (central) Put(h, 20, 2);  // made by
  Put(h, 20, 2);               // version needed
  Put(h, 0, 2);                // flags
  Put(h, 8, 2);                // deflate
  Put(h, 0, 4);                // time and date
  Put(h, e.crc, 4);
  Put(h, e.data.size(), 4);
  Put(h, e.size, 4);
  Put(h, e.name.size(), 2);
  Put(h, 0, 2);  // extra
  if (central) {
    Put(h, 0, 2);  // comment
    Put(h, 0, 2);  // disk
    Put(h, 0, 2);  // internal attributes
    Put(h, 0, 4);  // external attributes
    Put(h, offset, 4);
  }
  return h + e.name;
}

}  // namespace

void WriteWithRepeatedPart(const std::string& from, const std::string& to,
                           const RepeatedPart& part) {
  int err = 0;
  zip_t* z = zip_open(from.c_str(), ZIP_RDONLY, &err);
  if (!z) throw std::runtime_error("cannot open " + from);
  std::vector<Entry> entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    const std::string name = zip_get_name(z, static_cast<zip_uint64_t>(i), 0);
    if (name == part.name) continue;
    zip_stat_t st;
    zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
    std::string data(st.size, '\0');
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
    zip_fread(f, data.data(), data.size());
    zip_fclose(f);
    entries.push_back(Repeated({name, data, "", "", 0}));
  }
  zip_discard(z);
  entries.push_back(Repeated(part));
  std::string central, file;
  for (const Entry& e : entries) {
    central += Header(e, true, static_cast<uint32_t>(file.size()));
    file += Header(e, false, 0) + e.data;
  }
  std::string end;
  Put(end, 0x06054b50, 4);
  Put(end, 0, 4);  // disks
  Put(end, entries.size(), 2);
  Put(end, entries.size(), 2);
  Put(end, central.size(), 4);
  Put(end, file.size(), 4);
  Put(end, 0, 2);  // comment
  std::ofstream(to, std::ios::binary) << file << central << end;
}

}  // namespace testsupport
