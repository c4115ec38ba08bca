#include "host/xlsx/PackageWriter.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <utility>

#include "host/HostError.h"
#include "host/xlsx/ZipFileSink.h"

namespace host::xlsx {

namespace {

std::atomic<int> tunedThreads{0};
std::atomic<std::time_t> tunedPartTime{0};

// Serves a part we compressed ourselves: libzip stores its bytes as they are,
// with the CRC and sizes the stat gives.
struct DeflatedSource {
  DeflatedSource(const DeflatedPart* p, std::time_t t) : part(p), mtime(t) {
    zip_error_init(&error);
  }
  const DeflatedPart* part;
  std::time_t mtime;
  size_t pos = 0;
  zip_error_t error;
};

zip_int64_t DeflatedStat(const DeflatedSource& s, void* data) {
  auto* st = static_cast<zip_stat_t*>(data);
  zip_stat_init(st);
  st->mtime = s.mtime;
  st->size = s.part->size;
  st->comp_size = s.part->data.size();
  st->crc = s.part->crc;
  st->comp_method = ZIP_CM_DEFLATE;
  st->valid |=
      ZIP_STAT_MTIME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD;
  return sizeof(*st);
}

zip_int64_t DeflatedCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<DeflatedSource*>(userdata);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s->pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const size_t n = std::min<size_t>(len, s->part->data.size() - s->pos);
      std::memcpy(data, s->part->data.data() + s->pos, n);
      s->pos += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT:
      return DeflatedStat(*s, data);
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&s->error);
      delete s;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_int64_t AddEntry(zip_t* zip, const std::string& name, zip_source_t* source) {
  ZipSourcePtr owned(source);
  if (!source) throw std::runtime_error(zip_strerror(zip));
  zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) throw std::runtime_error(zip_strerror(zip));
  owned.release();  // the archive owns it now
  return index;
}

// Reads an entry of the original to its end: libzip checks its CRC there.
void CheckCopy(zip_t* from, zip_uint64_t index, const std::string& name) {
  try {
    ZipFilePtr file(zip_fopen_index(from, index, 0));
    if (!file) throw std::runtime_error(zip_strerror(from));
    char buffer[65536];
    while (ReadChunk(file.get(), buffer, sizeof buffer) > 0) {
    }
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;  // not the file's fault
    throw std::runtime_error("the part " + name + " of the original file is damaged (" + e.what() +
                             "); saving would pass it on");
  }
}

}  // namespace

int SaveThreads() {
  const int tuned = tunedThreads.load();
  if (tuned > 0) return tuned;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void SetSaveTuning(const SaveTuning& tuning) {
  tunedThreads = tuning.threads;
  tunedPartTime = tuning.partTime;
}

PackageWriter::PackageWriter(const std::string& path) {
  std::string reason;
  zip_ = OpenZip(path, ZIP_CREATE | ZIP_TRUNCATE, reason);
  if (!zip_) throw std::runtime_error(reason);
}

PackageWriter::PackageWriter(int fd) {
  std::string reason;
  zip_ = CreateZipInFile(fd, reason);
  if (!zip_) throw std::runtime_error(reason);
}

void PackageWriter::Copy(const std::string& name, zip_t* from, zip_uint64_t index) {
  Pending p;
  p.name = name;
  p.from = from;
  p.index = index;
  pending_.push_back(std::move(p));
}

void PackageWriter::Add(const std::string& name, const std::string& data) {
  AddProduced(
      name, [&data](const Sink& sink) { sink(data); }, data.size());
}

void PackageWriter::AddProduced(const std::string& name, Producer make, size_t weight) {
  Pending p;
  p.name = name;
  p.make = std::move(make);
  p.weight = weight;
  pending_.push_back(std::move(p));
}

void PackageWriter::AddDeflated(const std::string& name, const DeflatedPart& part) {
  Pending p;
  p.name = name;
  p.ready = &part;
  pending_.push_back(std::move(p));
}

void PackageWriter::CheckCopies() {
  for (const Pending& p : pending_)
    if (p.from) CheckCopy(p.from, p.index, p.name);
}

void PackageWriter::Compress() {
  std::vector<size_t> jobs;
  for (size_t i = 0; i < pending_.size(); ++i)
    if (pending_[i].make) jobs.push_back(i);
  // The largest first, so the threads finish together; the order of the work
  // never changes what a part compresses to.
  std::stable_sort(jobs.begin(), jobs.end(),
                   [&](size_t a, size_t b) { return pending_[a].weight > pending_[b].weight; });
  std::vector<std::exception_ptr> failures(pending_.size());
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  auto work = [&] {
    for (size_t k; !stop && (k = next++) < jobs.size();) {
      Pending& p = pending_[jobs[k]];
      try {
        PartDeflater deflater;
        p.make([&](std::string_view piece) { deflater.Write(piece); });
        p.part = deflater.Finish();
      } catch (...) {
        failures[jobs[k]] = std::current_exception();
      }
    }
  };
  {
    std::vector<std::jthread> helpers;
    const size_t extra = std::min<size_t>(static_cast<size_t>(SaveThreads()), jobs.size());
    for (size_t t = 1; t < extra; ++t) helpers.emplace_back(work);
    try {
      CheckCopies();  // reads the original while the helpers compress
    } catch (...) {
      stop = true;
      throw;
    }
    work();
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

void PackageWriter::AddEntries() {
  const std::time_t tuned = tunedPartTime.load();
  const std::time_t mtime = tuned ? tuned : std::time(nullptr);
  for (Pending& p : pending_) {
    ExpectedEntry& e = expected_[p.name];
    if (!p.from) {
      const DeflatedPart& part = p.ready ? *p.ready : p.part;
      auto* source = new DeflatedSource(&part, mtime);
      zip_source_t* s = zip_source_function(zip_.get(), DeflatedCallback, source);
      if (!s) {
        zip_error_fini(&source->error);
        delete source;
      }
      AddEntry(zip_.get(), p.name, s);
      e = {part.crc, part.data.size(), true, part.size, part.storedCrc};
      continue;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    zip_stat_index(p.from, p.index, 0, &st);
    e.crc = st.crc;
    e.compSize = st.comp_size;
    if (!((st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE)) {
      AddEntry(zip_.get(), p.name,
               zip_source_zip(zip_.get(), p.from, p.index, ZIP_FL_COMPRESSED, 0, -1));
      continue;
    }
    // An uncompressed part's bytes are its data: copied as data and kept
    // uncompressed, so the entry comes out as it went in.
    const zip_int64_t added =
        AddEntry(zip_.get(), p.name, zip_source_zip(zip_.get(), p.from, p.index, 0, 0, -1));
    if (zip_set_file_compression(zip_.get(), static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0) !=
        0)
      throw std::runtime_error(zip_strerror(zip_.get()));
  }
}

void PackageWriter::Close() {
  Compress();
  AddEntries();
  std::string reason;
  if (!CommitZip(zip_, reason)) throw std::runtime_error(reason);
  pending_.clear();
}

}  // namespace host::xlsx
