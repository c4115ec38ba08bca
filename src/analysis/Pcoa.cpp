#include "analysis/Pcoa.h"

#include <Eigen/Eigenvalues>
#include <cmath>

namespace analysis {
namespace {

// -d^2 / 2, less each row's and each column's mean, plus the mean of all.
Eigen::MatrixXd DoublyCentred(const DistanceMatrix& d) {
  const int n = d.VarietyCount();
  Eigen::MatrixXd b(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const double dij = d.Values()[static_cast<size_t>(i) * n + j];
      b(i, j) = -dij * dij / 2;
    }
  const Eigen::VectorXd rowMeans = b.rowwise().mean();
  const double mean = rowMeans.mean();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) b(i, j) += mean - rowMeans(i) - rowMeans(j);
  return b;
}

// Turns an axis so that the variety farthest out lies on its positive side.
void Orient(std::vector<std::array<double, 2>>& points, int axis) {
  size_t farthest = 0;
  for (size_t v = 1; v < points.size(); ++v)
    if (std::abs(points[v][axis]) > std::abs(points[farthest][axis])) farthest = v;
  if (points.empty() || points[farthest][axis] >= 0) return;
  for (auto& p : points) p[axis] = -p[axis];
}

}  // namespace

PcoaOutcome PrincipalCoordinateAnalysis(const DistanceMatrix& d) {
  PcoaOutcome out;
  out.withoutDistance = d.PairsWithoutDistance();
  if (!out.withoutDistance.empty()) return out;
  const int n = d.VarietyCount();
  PrincipalCoordinates p;
  p.coordinates.assign(n, {0, 0});
  if (n > 0) {
    // Ascending eigenvalues, each with its unit eigenvector.
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(DoublyCentred(d));
    double positive = 0;
    for (int k = n - 1; k >= 0; --k) {
      p.eigenvalues.push_back(solver.eigenvalues()(k));
      if (p.eigenvalues.back() > 0) positive += p.eigenvalues.back();
    }
    for (int axis = 0; axis < 2 && axis < n; ++axis) {
      const double lambda = p.eigenvalues[axis];
      if (lambda <= 0) continue;
      p.shares[axis] = lambda / positive;
      for (int v = 0; v < n; ++v)
        p.coordinates[v][axis] = solver.eigenvectors()(v, n - 1 - axis) * std::sqrt(lambda);
      Orient(p.coordinates, axis);
    }
  }
  out.pcoa = std::move(p);
  return out;
}

}  // namespace analysis
