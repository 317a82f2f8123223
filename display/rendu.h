#pragma once
// Draws one frame from the record and presents it.
void render();
