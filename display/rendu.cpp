#include "display/rendu.h"

void render() {}  // placeholder
