#include "analysis/LocusSummary.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "analysis/GenotypeAlleles.h"
#include "analysis/HardyWeinbergChain.h"
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

// The row without the Hardy-Weinberg test, and how far the test goes
// without the chain.
LocusRow RowAndPlan(const store::GenotypeStore& s, int m, const HweSettings& hwe, HwePlan& plan) {
  LocusRow row;
  row.marker = m;
  row.typed = TypedVarieties(s, m);
  if (s.VarietyCount() > 0)
    row.missingPct = 100.0 * (s.VarietyCount() - row.typed) / s.VarietyCount();
  row.alleles = s.Marker(m).AlleleCount();
  const MarkerStatistics st = MarkerStats(s, m);
  plan = std::monostate{};
  if (row.typed == 0 || !st.he || !st.ho) return row;
  Heterozygosity(st, row.typed, row);
  plan = PlanHardyWeinbergTest(MarkerGenotypes(s, m), hwe);
  if (const auto* answer = std::get_if<HweResult>(&plan)) row.hwe = *answer;
  return row;
}

// Runs work(0) .. work(count - 1) on `threads` threads; rethrows the first
// failure in index order.
void InParallel(size_t count, int threads, const std::function<void(size_t)>& work) {
  std::vector<std::exception_ptr> failures(count);
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i; (i = next++) < count;) {
      try {
        work(i);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (int t = 1; t < static_cast<int>(std::min<size_t>(threads, count)); ++t)
      helpers.emplace_back(worker);
    worker();
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

// Chains walked together in one task: enough to share their draws, few
// enough that the tasks spread over the threads.
constexpr size_t kChainsPerTask = 16;

// The markers that need the chain, by their number of alleles, so that a
// task's chains share their draws; each chain has the same fixed seed, so
// the rows never depend on the number of threads or the order of the work.
void RunChains(std::vector<LocusRow>& rows, std::vector<HwePlan>& plans,
               const HweChainSettings& settings, int threads) {
  std::vector<size_t> chained;
  for (size_t m = 0; m < plans.size(); ++m)
    if (std::holds_alternative<GenotypeCounts>(plans[m])) chained.push_back(m);
  std::stable_sort(chained.begin(), chained.end(), [&](size_t a, size_t b) {
    return std::get<GenotypeCounts>(plans[a]).AlleleCount() <
           std::get<GenotypeCounts>(plans[b]).AlleleCount();
  });
  const size_t tasks = (chained.size() + kChainsPerTask - 1) / kChainsPerTask;
  InParallel(tasks, threads, [&](size_t t) {
    const size_t from = t * kChainsPerTask, to = std::min(chained.size(), from + kChainsPerTask);
    std::vector<GenotypeCounts> tables;
    for (size_t k = from; k < to; ++k)
      tables.push_back(std::move(std::get<GenotypeCounts>(plans[chained[k]])));
    const std::vector<HweResult> results = hwe::RunChains(tables, settings);
    for (size_t k = from; k < to; ++k) rows[chained[k]].hwe = results[k - from];
  });
}

std::vector<LocusRow> Rows(const store::GenotypeStore& s, const HweSettings& hwe, int threads) {
  if (threads <= 0)
    threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  const size_t markers = static_cast<size_t>(s.MarkerCount());
  std::vector<LocusRow> rows(markers);
  std::vector<HwePlan> plans(markers);
  InParallel(markers, threads,
             [&](size_t m) { rows[m] = RowAndPlan(s, static_cast<int>(m) + 1, hwe, plans[m]); });
  RunChains(rows, plans, hwe.chain, threads);
  return rows;
}

}  // namespace

LocusRow SummarizeLocus(const store::GenotypeStore& s, int m, const HweSettings& hwe) {
  HwePlan plan;
  LocusRow row = RowAndPlan(s, m, hwe, plan);
  if (const auto* table = std::get_if<GenotypeCounts>(&plan))
    row.hwe = hwe::RunChain(*table, hwe.chain);
  return row;
}

LocusTable SummarizeLoci(const store::GenotypeStore& s, const HweSettings& hwe, int threads) {
  LocusTable out;
  out.rows = Rows(s, hwe, threads);
  RunningProducts(out.rows);
  out.means = Means(out.rows);
  InformativeOrder(out.rows, s.VarietyCount(), out);
  return out;
}

}  // namespace analysis
