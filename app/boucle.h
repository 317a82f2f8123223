#pragma once
// Once per frame: keyboard section, next photo when asked, event step.
void handleEvents();
// Releases the SDL objects and quits SDL.
void clean();
