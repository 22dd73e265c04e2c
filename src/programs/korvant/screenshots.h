#pragma once
// Renders every window of the game, filled with a generated game, to PNG
// files, so anyone can look at them without playing.
#include <QString>

namespace korvant {

class GameWindows;

// Writes DIR/<window>.png for each window in the first language, and DIR/<locale>/<window>.png in
// every other; returns the number of files written.
int WriteScreenshots(GameWindows& app, const QString& dir);

}  // namespace korvant
