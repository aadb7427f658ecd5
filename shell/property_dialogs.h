#pragma once
// Hands each figure kind the properties dialog it opens on a right-click.
// The figures hold no widgets; the program fills their seams at start.

// Fills the seam of every figure kind that has a properties dialog.
void InstallPropertyDialogs();
// Empties them again: the figures then only beep.
void RemovePropertyDialogs();
