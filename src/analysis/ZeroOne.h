#pragma once
// The 0/1 matrices of one marker, as phylogeny software reads them: per
// variety the presence of each genotype of the marker's table and of each
// allele symbol. Built one marker at a time: all markers together would be
// millions of cells.
#include <cstdint>
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

struct ZeroOneMatrices {
  int varieties = 0;
  int genotypes = 0;              // the columns of the genotype matrix
  std::u32string alleles;         // the symbols tested, the columns of the allele matrix
  std::vector<uint8_t> genotype;  // row-major, varieties x genotypes
  std::vector<uint8_t> allele;    // row-major, varieties x alleles.size()

  int Genotype(int v, int g) const {
    return genotype[static_cast<size_t>(v - 1) * genotypes + g - 1];
  }
  int Allele(int v, int a) const {
    return allele[static_cast<size_t>(v - 1) * alleles.size() + a - 1];
  }
};

// The 0/1 matrices of marker m: varieties by alleles and by genotypes.
ZeroOneMatrices ZeroOneMatricesOf(const store::GenotypeStore& s, int m);

}  // namespace analysis
