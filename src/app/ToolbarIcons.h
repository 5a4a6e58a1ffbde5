#pragma once
// The toolbar's button pictures: small pictograms drawn as vector paths, so
// that they stay sharp at any screen scale.

#include <QIcon>

// The picture of a toolbar command (16 by 15 units, drawn at 1x and 2x);
// a plain face for a command without a pictogram.
QIcon toolbarIcon(int commandId);
