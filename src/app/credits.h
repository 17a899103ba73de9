#pragma once
// The credits and options screens: both scroll the credits text on the one shared credits line, so a
// visit to either goes on where the scroll was left.
#include <string>

// The whole credits text in the line markup.
const std::string& CreditsText();
// The programmer's name, also shown by the window-mode chooser.
const std::string& ProgrammerName();
int DrawCredits();
// As DrawCredits, but clicks made on this screen are dropped first.
int DrawOptions();
