#pragma once
// Start-up: everything the game needs is made ready before the first window opens, so the chooser
// appears with every image and sound already loaded.

// Registers the built-in files, loads every image and sound, makes the menu buttons, the credits line,
// the level label, the tile sets, the object lists and the random generator, and sets the title.
void RunStartup();

// The steps of RunStartup, in the order it runs them.
void LoadImagesAndSounds();
void CreateMenuButtons();
void CreateCreditsLine();
void CreateLevelLabel();
void CreateObjectLists();
void CreateRandomNumber();

// The program's name, used as every window's caption.
inline constexpr const char* kAppTitle = "VEXTORON";
