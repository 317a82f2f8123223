#pragma once
// Appends the centre to the three result files and makes it durable.
void ecrireResultats();
