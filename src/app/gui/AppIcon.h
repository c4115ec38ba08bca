#pragma once
// The program's icon, drawn in code so it stays sharp at every size: two
// strands of a helix joined by rungs of marker colours on the title's peach.
#include <QIcon>
#include <QPixmap>

namespace gui {

QPixmap AppPixmap(int size);
QIcon AppIcon();

}  // namespace gui
