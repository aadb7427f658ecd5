#pragma once
// Hands each figure kind the properties dialog it opens on a right-click.
// The figures hold no widgets; the program fills their hooks at start.

// Fills the hooks of lines, points, circles, ellipses, curves, rounded
// rectangles, arcs, angle marks and triangles.
void InstallPropertyDialogs();
// Empties them again: the figures then only beep.
void RemovePropertyDialogs();
