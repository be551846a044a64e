#pragma once

// Design sizes are in twips (1/1440 inch): 15 twips are one pixel at 96 dpi. These use the
// primary screen's logical dpi.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
