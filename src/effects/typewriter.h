// The invitation, typed page by page into the speech bubble.
#pragma once

// (x, y): screen position of the first cell of a page's first line.
void printMsg(int x, int y);
