#include "analysis/LocusSummary.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "analysis/GenotypeAlleles.h"
#include "analysis/Statistics.h"

namespace analysis {
namespace {

int TypedVarieties(const store::GenotypeStore& s, int m) {
  int n = 0;
  for (int v = 1; v <= s.VarietyCount(); ++v)
    if (!s.Cell(v, m).empty()) ++n;
  return n;
}

// The two-allele genotypes of the marker's table; other codes are left out
// of the test (the run reports them as data problems).
GenotypeCounts MarkerGenotypes(const store::GenotypeStore& s, int m) {
  const store::MarkerTable& table = s.Marker(m);
  GenotypeCounts counts(table.AlleleCount());
  for (int g = 1; g <= table.GenotypeCount(); ++g)
    if (const auto pair = DiploidSlots(s, m, table.GenotypeCode(g)))
      counts.Add(pair->first - 1, pair->second - 1, table.GenotypeTally(g));
  return counts;
}

void Heterozygosity(const MarkerStatistics& st, int typed, LocusRow& row) {
  double s2 = 0.0, s4 = 0.0;
  for (double p : st.alleleRates) {
    s2 += p * p;
    s4 += p * p * p * p;
  }
  row.ne = 1.0 / s2;
  row.ho = st.ho;
  row.he = st.he;
  row.uhe = 2.0 * typed / (2.0 * typed - 1.0) * *st.he;
  row.pic = st.pic;
  if (*st.he > 0.0) row.f = 1.0 - *st.ho / *st.he;
  row.nullFreq = (*st.he - *st.ho) / (1.0 + *st.he);
  // sum over i < j of (2 p_i p_j)^2 is 2 ((sum p^2)^2 - sum p^4).
  row.pi = 2.0 * s2 * s2 - s4;
  row.piSib = 0.25 + 0.5 * s2 + 0.5 * s2 * s2 - 0.25 * s4;
}

void RunningProducts(std::vector<LocusRow>& rows) {
  double pi = 1.0, piSib = 1.0;
  for (LocusRow& row : rows) {
    if (!row.pi) continue;
    pi *= *row.pi;
    piSib *= *row.piSib;
    row.piCum = pi;
    row.piSibCum = piSib;
  }
}

std::optional<double> Mean(const std::vector<LocusRow>& rows,
                           std::optional<double> (*value)(const LocusRow&)) {
  double sum = 0.0;
  int n = 0;
  for (const LocusRow& row : rows)
    if (const auto x = value(row)) sum += *x, ++n;
  if (n == 0) return std::nullopt;
  return sum / n;
}

LocusMeans Means(const std::vector<LocusRow>& rows) {
  LocusMeans m;
  m.typed = Mean(rows, [](const LocusRow& r) { return std::optional<double>(r.typed); });
  m.alleles = Mean(rows, [](const LocusRow& r) { return std::optional<double>(r.alleles); });
  m.ne = Mean(rows, [](const LocusRow& r) { return r.ne; });
  m.ho = Mean(rows, [](const LocusRow& r) { return r.ho; });
  m.he = Mean(rows, [](const LocusRow& r) { return r.he; });
  m.uhe = Mean(rows, [](const LocusRow& r) { return r.uhe; });
  m.pic = Mean(rows, [](const LocusRow& r) { return r.pic; });
  m.f = Mean(rows, [](const LocusRow& r) { return r.f; });
  return m;
}

void InformativeOrder(const std::vector<LocusRow>& rows, int varieties, LocusTable& out) {
  for (const LocusRow& row : rows)
    if (row.pi) out.informative.push_back({row.marker, *row.pi, 0.0, *row.piSib, 0.0});
  std::stable_sort(out.informative.begin(), out.informative.end(),
                   [](const InformativeStep& a, const InformativeStep& b) { return a.pi < b.pi; });
  const double n = varieties;
  double pi = 1.0, piSib = 1.0;
  for (size_t k = 0; k < out.informative.size(); ++k) {
    InformativeStep& step = out.informative[k];
    step.piCum = pi *= step.pi;
    step.piSibCum = piSib *= step.piSib;
    if (!out.markersForPi && pi < 1.0 / (n * n)) out.markersForPi = static_cast<int>(k) + 1;
    if (!out.markersForPiSib && piSib < 1.0 / n) out.markersForPiSib = static_cast<int>(k) + 1;
  }
}

}  // namespace

LocusRow SummarizeLocus(const store::GenotypeStore& s, int m, const HweSettings& hwe) {
  LocusRow row;
  row.marker = m;
  row.typed = TypedVarieties(s, m);
  if (s.VarietyCount() > 0)
    row.missingPct = 100.0 * (s.VarietyCount() - row.typed) / s.VarietyCount();
  row.alleles = s.Marker(m).AlleleCount();
  const MarkerStatistics st = MarkerStats(s, m);
  if (row.typed == 0 || !st.he || !st.ho) return row;
  Heterozygosity(st, row.typed, row);
  row.hwe = HardyWeinbergTest(MarkerGenotypes(s, m), hwe);
  return row;
}

namespace {

// Markers on several threads: each marker's chain has its own fixed seed, so
// the rows never depend on the number of threads or the order of the work.
std::vector<LocusRow> Rows(const store::GenotypeStore& s, const HweSettings& hwe, int threads) {
  std::vector<LocusRow> rows(static_cast<size_t>(s.MarkerCount()));
  std::vector<std::exception_ptr> failures(rows.size());
  std::atomic<int> next{1};
  auto work = [&] {
    for (int m; (m = next++) <= s.MarkerCount();) {
      try {
        rows[m - 1] = SummarizeLocus(s, m, hwe);
      } catch (...) {
        failures[m - 1] = std::current_exception();
      }
    }
  };
  if (threads <= 0)
    threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  {
    std::vector<std::jthread> helpers;
    for (int t = 1; t < std::min(threads, s.MarkerCount()); ++t) helpers.emplace_back(work);
    work();
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
  return rows;
}

}  // namespace

LocusTable SummarizeLoci(const store::GenotypeStore& s, const HweSettings& hwe, int threads) {
  LocusTable out;
  out.rows = Rows(s, hwe, threads);
  RunningProducts(out.rows);
  out.means = Means(out.rows);
  InformativeOrder(out.rows, s.VarietyCount(), out);
  return out;
}

}  // namespace analysis
