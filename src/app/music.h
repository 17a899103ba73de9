#pragma once
// Music control: the menu group of screens (credits, menu) plays the menu music, the play group (play,
// tutorial) the play music; the options and closing screens leave whatever plays alone.

// Once per frame: pauses the music of the group left and starts the other group's music from its start.
int UpdateMusic();
int StopMusic();
