#pragma once
// The kinds of cell format, navigation and paste a Range takes. Where the file
// stores a kind as a number, the enumerator has that number; the others are
// turned into the file's words where they are written.

namespace host {

// Where Range::End walks from its start cell.
enum class Direction { Up, Down, Left, Right };

// The lines of a range's borders: its four outer edges, the lines between its
// cells, and the two diagonals through every cell.
enum class Edge {
  Left,
  Top,
  Bottom,
  Right,
  InsideVertical,
  InsideHorizontal,
  DiagonalDown,
  DiagonalUp
};

enum class LineStyle { None, Continuous };
enum class BorderWeight { Hairline, Thin, Medium, Thick };

// A colour of the classic 56-colour palette by its index (1 to 56), or one of
// the two colours that have no index there: no colour at all (an unfilled
// cell, a cleared fill) and the reader's automatic colour (of border lines).
enum class ColorIndex : int { None = 0, Automatic = -1 };
constexpr ColorIndex PaletteIndex(int index) { return static_cast<ColorIndex>(index); }

enum class FillPattern { None, Solid };

enum class HorizontalAlignment {
  General,
  Left,
  Center,
  Right,
  Fill,
  Justify,
  CenterAcrossSelection,
  Distributed
};
enum class VerticalAlignment { Top, Center, Bottom, Justify, Distributed };

// The direction text runs in, numbered as the file numbers it.
enum class ReadingOrder { Context = 0, LeftToRight = 1, RightToLeft = 2 };

// What a paste takes from the clipboard.
enum class PasteKind { All, Values };

}  // namespace host
