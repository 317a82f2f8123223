// Key H's action: hands the strip its help lines, from the key table.
#pragma once

void toucheBandeau();
