#pragma once
// Start-up: everything the game needs is made ready before the game window opens. The images, widgets
// and tile sets, which the mode chooser does not show, load on a worker while the chooser comes up.

// Registers the built-in files, loads every image and sound, makes the menu buttons, the credits line,
// the level label, the tile sets, the object lists and the random generator, and sets the title.
void RunStartup();
// RunStartup in two halves: Begin does what the chooser needs and starts the rest on a worker; Finish
// waits for the worker (and does nothing when none runs). Until then no loaded global may be read.
void BeginStartup();
void FinishStartup();

// The steps of RunStartup.
void LoadImages();
void LoadSounds();
void LoadImagesAndSounds();
void CreateMenuButtons();
void CreateCreditsLine();
void CreateLevelLabel();
void CreateObjectLists();
void CreateRandomNumber();

// The program's name, used as every window's caption.
inline constexpr const char* kAppTitle = "VEXTORON";
