// F: resume the previous run from the copy its detail file left, before the
// first RETURN of this one.
#pragma once

void reprendreSerie();
