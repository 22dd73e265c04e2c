#pragma once
// What a person's play writes, written without windows, so that a test of an installed copy can
// see where the files go.
namespace korvant {

class GameWindows;

// Sets up a one-person game and writes, as the windows would, a saved game under its proposed
// name, the autosave, the hall of fame with the game recorded, and the settings with the music
// turned off. Returns the
// program's exit status: 0 when everything was written.
int WriteUserFiles(GameWindows& app);

}  // namespace korvant
