#pragma once
// The about box's picture: a shuttlecock over a court, drawn at 320 x 240.
#include <QPixmap>

QPixmap AboutPicture();
