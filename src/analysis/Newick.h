#pragma once
// Trees as Newick text, which phylogeny programs read: leaves by variety
// name, branch lengths, and on each join of a bootstrapped tree its support
// in percent, rounded to a whole number, as the join's label.
#include <string>
#include <string_view>

#include "analysis/Trees.h"

namespace analysis {

// The tree as Newick text, names quoted where Newick needs it.
std::string WriteNewick(const Tree& tree);

// A name as Newick reads it back: as it is, or in single quotes with inner
// quotes doubled when it is empty or holds white space, an underscore (read
// as a blank when unquoted), or any of ( ) [ ] : ; , '.
std::string NewickName(std::string_view name);

}  // namespace analysis
