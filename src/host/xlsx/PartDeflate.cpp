#include "host/xlsx/PartDeflate.h"

#include <stdexcept>

namespace host::xlsx {

PartDeflater::PartDeflater() {
  // Raw deflate (no zlib header), as zip entries hold it; the parameters zip
  // writers use, so the output is what libzip itself would store.
  if (deflateInit2(&z_, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("out of memory for compression");
  part_.crc = static_cast<uint32_t>(crc32(0, nullptr, 0));
}

PartDeflater::~PartDeflater() { deflateEnd(&z_); }

void PartDeflater::Run(int flush) {
  for (;;) {
    // Grow the output as deflate needs it; compressed sheets are small.
    const size_t used = part_.data.size();
    part_.data.resize(used + 65536);
    z_.next_out = reinterpret_cast<Bytef*>(part_.data.data() + used);
    z_.avail_out = 65536;
    const int rc = deflate(&z_, flush);
    part_.data.resize(part_.data.size() - z_.avail_out);
    if (rc == Z_STREAM_ERROR) throw std::runtime_error("compression failed");
    if (flush == Z_FINISH ? rc == Z_STREAM_END : z_.avail_in == 0 && z_.avail_out != 0) return;
  }
}

void PartDeflater::Write(std::string_view bytes) {
  // zlib counts in 32 bits: a large piece goes in parts.
  constexpr size_t kMax = size_t(1) << 30;
  for (size_t at = 0; at < bytes.size(); at += kMax) {
    const std::string_view piece = bytes.substr(at, kMax);
    const auto* data = reinterpret_cast<const Bytef*>(piece.data());
    part_.crc = static_cast<uint32_t>(crc32_z(part_.crc, data, piece.size()));
    part_.size += piece.size();
    z_.next_in = const_cast<Bytef*>(data);
    z_.avail_in = static_cast<uInt>(piece.size());
    Run(Z_NO_FLUSH);
  }
}

DeflatedPart PartDeflater::Finish() {
  z_.next_in = nullptr;
  z_.avail_in = 0;
  Run(Z_FINISH);
  part_.data.shrink_to_fit();
  part_.storedCrc = static_cast<uint32_t>(crc32_z(
      crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(part_.data.data()), part_.data.size()));
  return std::move(part_);
}

DeflatedPart DeflateAll(std::string_view bytes) {
  PartDeflater deflater;
  deflater.Write(bytes);
  return deflater.Finish();
}

}  // namespace host::xlsx
