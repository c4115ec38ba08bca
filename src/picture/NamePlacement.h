#pragma once
// Where the names of points on a map go: each name is tried in eight places
// just clear of its point (right, left, above, below, then the corners),
// then on rings farther and farther out (places a name's height apart, from
// the right counter-clockwise), and takes the first place that covers no
// name placed before it and no point. Names are placed in the order given,
// so a picture repeats. A name set away from its point gets a leader line.
// Only when no place within the area is free is a name put outside it, still
// without covering anything.
#include <vector>

namespace picture {

struct Box {
  double x = 0, y = 0, width = 0, height = 0;
};

struct NamedPoint {
  double x = 0, y = 0, radius = 0;  // the point
  double width = 0, height = 0;     // its name
};

struct PlacedName {
  Box box;
  bool leader = false;  // set away from the point
};

std::vector<PlacedName> PlaceNames(const std::vector<NamedPoint>& points, const Box& area);

}  // namespace picture
