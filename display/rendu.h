#pragma once
// Draws one frame from the record and presents it.
void render();
// Destroys the photo reduced below zoom 1, before the renderer goes.
void libererPhotoReduite();
