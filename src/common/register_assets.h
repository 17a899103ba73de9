#pragma once
// Makes every built-in image and sound openable as "incbin::" + its registered name.

// Registers all 29 embedded files in manifest order; returns how many were newly registered.
int RegisterAssets();
