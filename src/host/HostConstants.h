#pragma once
// Host enumerations, with the values the procedures use.

namespace host {

enum XlDirection { xlDown = -4121, xlToRight = -4161, xlUp = -4162, xlToLeft = -4159 };
enum XlBordersIndex {
  xlDiagonalDown = 5,
  xlDiagonalUp = 6,
  xlEdgeLeft = 7,
  xlEdgeTop = 8,
  xlEdgeBottom = 9,
  xlEdgeRight = 10,
  xlInsideVertical = 11,
  xlInsideHorizontal = 12
};
enum XlConstants {
  xlContinuous = 1,
  xlNone = -4142,
  xlThin = 2,
  xlAutomatic = -4105,
  xlSolid = 1,
  xlCenter = -4108,
  xlContext = -5002,
  xlPasteValues = -4163,
  xlPasteAll = -4104
};

}  // namespace host
